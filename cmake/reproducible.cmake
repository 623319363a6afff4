# What a build writes depends only on the sources: the compiled resources carry one time stamp
# per file, which rcc otherwise takes from the file's modification time. They get the time of
# the commit (SOURCE_DATE_EPOCH when it is set, as package builds set it). The stamp is part of
# the resource rules' command line, so a new commit rebuilds the resources with its own time.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(KRESLIX_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    execute_process(
        COMMAND git log -1 --format=%ct
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE KRESLIX_SOURCE_DATE_EPOCH
        OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE git_result
        ERROR_QUIET)
    if(NOT git_result EQUAL 0 OR KRESLIX_SOURCE_DATE_EPOCH STREQUAL "")
        set(KRESLIX_SOURCE_DATE_EPOCH 0)
    endif()
endif()
set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM
    "${CMAKE_COMMAND} -E env QT_RCC_SOURCE_DATE_OVERRIDE=${KRESLIX_SOURCE_DATE_EPOCH}")
