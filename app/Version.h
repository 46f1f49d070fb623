#pragma once

// The version shown in the About box and drawn on the splash picture.
constexpr const char* ProductVersion = "2.10";
