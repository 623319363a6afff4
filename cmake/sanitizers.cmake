# AddressSanitizer + UndefinedBehaviorSanitizer for the whole tree; any report aborts the test.
add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -O1 -g)
add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
