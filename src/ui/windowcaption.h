#pragma once
// The caption of the main window and the review window.
namespace orvik {

inline constexpr const char* kWindowCaption = "  Kelvo -  Siltavo";

} // namespace orvik
