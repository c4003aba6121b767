#pragma once

// The colours that hold the pictures together: deep navy and violet space, cyan and teal light for
// the player's side and the interface, warm orange and red for enemies and fire.
class TPalette {
  public:
    static constexpr unsigned Navy = 0x060a1e;
    static constexpr unsigned DeepViolet = 0x1a0f3a;
    static constexpr unsigned Violet = 0x5b2b9c;
    static constexpr unsigned Magenta = 0xb03a9a;
    static constexpr unsigned Cyan = 0x46e6ff;
    static constexpr unsigned Teal = 0x17c3b2;
    static constexpr unsigned Ice = 0xd8f6ff;
    static constexpr unsigned Steel = 0xb4c3da;
    static constexpr unsigned SteelDark = 0x2c3756;
    static constexpr unsigned Panel = 0x151d36;
    static constexpr unsigned Orange = 0xff8a2a;
    static constexpr unsigned Amber = 0xffc24a;
    static constexpr unsigned Red = 0xff3b2a;
    static constexpr unsigned Crimson = 0x8a1526;
    static constexpr unsigned Ember = 0x3a0c14;
};
