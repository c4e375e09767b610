#pragma once
// Horizontal alignment of a list column, numbered as the layouts number it.
enum TKHorizontalAlignment : int {
    TKLeft = 0,
    TKCenter = 1,
    TKRight = 2,   // amounts and numbers
    TKStretch = 3, // shown like TKLeft
};
