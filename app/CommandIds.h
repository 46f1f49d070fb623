#pragma once

// Identifiers of the menu commands. Each menu action carries its identifier, and the shell runs
// one command table keyed by it, so commands can be issued by number alike from the menu bar,
// the tray popup, the keyboard and tests.
namespace Command {

// "  2 x 2" ... "10 x 10": the item for cube size n is TypeBase + n.
constexpr int TypeBase = 32769;
constexpr int TypeFirst = TypeBase + 2;
constexpr int TypeLast = TypeBase + 10;

constexpr int StickerOnly = 32781;
constexpr int Region = 32782;
constexpr int Shuffle = 32783;
constexpr int Demo = 32784;
constexpr int ColorEdit = 32786;
constexpr int Transparent = 32789;
constexpr int DirectX = 32790;
constexpr int Gdi = 32791;
constexpr int About = 104;
constexpr int Exit = 105;

constexpr int TypeItemForSize(int n) {
    return TypeBase + n;
}
constexpr int SizeOfTypeItem(int id) {
    return id - TypeBase;
}
constexpr bool IsTypeItem(int id) {
    return id >= TypeFirst && id <= TypeLast;
}

} // namespace Command
