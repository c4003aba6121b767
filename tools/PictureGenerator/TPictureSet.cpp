#include "TPictureSet.h"

#include "TInterfaceArt.h"
#include "TItemArt.h"
#include "TRockArt.h"
#include "TRocketArt.h"
#include "TRunnerArt.h"
#include "TSceneryArt.h"
#include "TShipArt.h"
#include "TSpaceArt.h"

namespace {

TPictureEntry Single(const char* Name, int W, int H, std::function<void(cairo_t*)> Draw) {
    return {Name, W, H, W, H, 1, [Draw](cairo_t* Cr, int) { Draw(Cr); }};
}

} // namespace

std::vector<TPictureEntry> TPictureSet::All() {
    std::vector<TPictureEntry> S;
    // Effects tint these white shapes; every effect file counts on this layout.
    S.push_back({"particles", 256, 64, 64, 64, 4, TItemArt::Particle});

    // The ship is drawn centred on its position, nose along +x; the banking pictures roll it.
    const char* ShipNames[] = {"ship_left2", "ship_left1", "ship", "ship_right1", "ship_right2"};
    for (int Tilt = -2; Tilt <= 2; ++Tilt)
        S.push_back(Single(ShipNames[Tilt + 2], 144, 112, [Tilt](cairo_t* Cr) { TShipArt::Draw(Cr, Tilt); }));
    S.push_back({"rocket1", 256, 128, 64, 32, 9, TRocketArt::Hornet});
    S.push_back({"rocket2", 384, 144, 128, 48, 9, TRocketArt::Ravager});
    S.push_back({"rocket3", 256, 128, 64, 32, 9, TRocketArt::Needle});
    S.push_back(
        {"asteroid", 320, 320, 64, 64, 25, [](cairo_t* Cr, int P) { TRockArt::Draw(Cr, P, 64, 26, 7u); }});
    S.push_back({"miniasteroid", 240, 240, 48, 48, 25,
                 [](cairo_t* Cr, int P) { TRockArt::Draw(Cr, P, 48, 16.5, 23u); }});
    S.push_back({"mine", 144, 96, 48, 48, 6, TItemArt::Mine});
    S.push_back({"crate", 192, 192, 64, 64, 9, TItemArt::Crate});
    S.push_back(Single("bullet", 32, 16, TItemArt::Bullet));
    S.push_back(Single("longbomb", 32, 64, TItemArt::LongBomb));
    S.push_back(Single("none", 48, 48, [](cairo_t* Cr) { TItemArt::Icon(Cr, 0); }));
    S.push_back(Single("EMPicon", 48, 48, [](cairo_t* Cr) { TItemArt::Icon(Cr, 1); }));
    S.push_back(Single("phazericon", 48, 48, [](cairo_t* Cr) { TItemArt::Icon(Cr, 2); }));
    S.push_back(Single("longbombicon", 48, 48, [](cairo_t* Cr) { TItemArt::Icon(Cr, 3); }));
    S.push_back(Single("hypershieldicon", 48, 48, [](cairo_t* Cr) { TItemArt::Icon(Cr, 4); }));

    S.push_back(Single("background", 1024, 768, [](cairo_t* Cr) { TSpaceArt::MenuBackground(Cr, 0); }));
    S.push_back(Single("background2", 1024, 768, [](cairo_t* Cr) { TSpaceArt::MenuBackground(Cr, 1); }));
    S.push_back(Single("background3", 1024, 768, [](cairo_t* Cr) { TSpaceArt::MenuBackground(Cr, 2); }));
    S.push_back(Single("background4", 1024, 768, [](cairo_t* Cr) { TSpaceArt::MenuBackground(Cr, 3); }));
    S.push_back({"creditspanels", 1024, 768, 1024, 48, 16, TSpaceArt::CreditsPanel});
    S.push_back(Single("gamebg", 1024, 768, TSpaceArt::GameBackdrop));
    S.push_back(Single("varleton", 512, 512, TSceneryArt::Varleton));
    S.push_back(Single("mor", 512, 512, TSceneryArt::Mor));
    S.push_back(Single("rocketstation", 512, 512, TSceneryArt::RocketStation));
    S.push_back(Single("camelot", 512, 512, TSceneryArt::Camelot));
    S.push_back(Single("furg", 512, 512, TSceneryArt::Furg));

    S.push_back(Single("gui", 1024, 768, TInterfaceArt::Frame));
    S.push_back(Single("zr", 24, 32, [](cairo_t* Cr) { TInterfaceArt::Segment(Cr, 0); }));
    S.push_back(Single("z", 24, 32, [](cairo_t* Cr) { TInterfaceArt::Segment(Cr, 1); }));
    S.push_back(Single("t", 24, 32, [](cairo_t* Cr) { TInterfaceArt::Segment(Cr, 2); }));
    S.push_back(Single("bg06min", 96, 96, [](cairo_t* Cr) { TInterfaceArt::Emblem(Cr, 96); }));
    S.push_back(Single("gameexit", 512, 192, TInterfaceArt::DialogPanel));
    S.push_back(Single("title", 444, 112, TInterfaceArt::Title));
    S.push_back({"button", 240, 120, 240, 60, 2, TInterfaceArt::Button});
    S.push_back({"animbtn", 347, 120, 347, 60, 2, TInterfaceArt::AnimButton});
    S.push_back({"scrollbar", 126, 21, 21, 21, 6, TInterfaceArt::ScrollBar});
    S.push_back(Single("kst", 512, 192, [](cairo_t* Cr) { TInterfaceArt::StudioLogo(Cr, 512, 192); }));

    S.push_back({"rytier", 512, 256, 128, 128, 8, TRunnerArt::Knight});
    S.push_back({"ork", 384, 192, 96, 96, 8, TRunnerArt::Orc});
    S.push_back(Single("symbol", 512, 512, TInterfaceArt::StudioSymbol));
    S.push_back(Single("kst_uvod", 1024, 256, [](cairo_t* Cr) { TInterfaceArt::StudioLogo(Cr, 1024, 256); }));
    S.push_back(Single("bg06", 512, 512, [](cairo_t* Cr) { TInterfaceArt::Emblem(Cr, 512); }));

    TPictureEntry Cursor = Single("curArrow", 32, 32, TItemArt::Cursor);
    Cursor.Listed = false;
    S.push_back(Cursor);
    return S;
}
