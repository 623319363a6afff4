#pragma once

namespace kreslix {

// The program reads no configuration and keeps nothing between runs, yet Qt's own file and
// colour dialogs read and write the user's settings file (QtProject.conf) by themselves, the
// file dialogs at the latest when they are destroyed at exit. This points every settings
// location at a path under which no file can ever exist, so they neither read nor write one;
// within the run the dialogs still remember what they remember in memory.
void keepNoSettingsFiles();

}  // namespace kreslix
