#pragma once

namespace kreslix {

// The results a modal dialog hands back, with the numbers the dialogs are known by.
enum class ModalResult : int { None = 0, OK = 1, Cancel = 2, Yes = 6, No = 7 };

}  // namespace kreslix
