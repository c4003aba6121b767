#pragma once

#include <cairo.h>

// Small things of the play field and their icons: particle shapes, mines, crates, the sniper slug,
// the long bomb, the weapon icons and the mouse cursor.
class TItemArt {
  public:
    // 0 soft glow, 1 ring, 2 four-point spark, 3 streak: white, the shape only in alpha.
    static void Particle(cairo_t* Cr, int Pattern);
    static void Mine(cairo_t* Cr, int Frame);
    static void Crate(cairo_t* Cr, int Frame);
    static void Bullet(cairo_t* Cr);
    // Nose along -y: the game turns it a quarter further than the ship's heading.
    static void LongBomb(cairo_t* Cr);
    // 0 none, 1 EMP, 2 phazer, 3 long bomb, 4 hyper shield.
    static void Icon(cairo_t* Cr, int Weapon);
    static void Cursor(cairo_t* Cr);

  private:
    static void Badge(cairo_t* Cr, double Level);
    static void BombShape(cairo_t* Cr);
};
