#pragma once

// The colour editor's message boxes: English, a line break, then the Japanese in single quotes.
inline constexpr char colourErrorCaption[] = "Color Setting Error";
// A sticker whose colour is in no slot was clicked.
inline constexpr char invalidColoursMessage[] =
    "The color informations are invalid.\n Please delete \"color.ini\" "
    "'色情報が不正です \"color.ini\" を削除してください'";
inline constexpr char sameColourMessage[] =
    "The same color as other surfaces can't be set.\n '複数面に同一色は選択できません'";
inline constexpr char blackColourMessage[] = "Black color cannot be set.\n '黒は選択できません'";
