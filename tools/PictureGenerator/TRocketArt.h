#pragma once

#include <cairo.h>

// The three enemy rockets, nine animation patterns each (blinking lights, flickering nozzles), sized
// to their collision circles. Hornet and Needle point along +x; the Ravager points along -x because
// the game turns it by a further half circle when drawing it.
class TRocketArt {
  public:
    static void Hornet(cairo_t* Cr, int Frame);
    static void Ravager(cairo_t* Cr, int Frame);
    static void Needle(cairo_t* Cr, int Frame);

  private:
    static void Body(cairo_t* Cr, double Tail, double Shoulder, double Tip, double Radius);
    static void Fin(cairo_t* Cr, double Root, double Chord, double Span, double Sweep, double Radius);
    static void Nozzle(cairo_t* Cr, double X, double Y, double Radius, double Heat);
    static void Lamp(cairo_t* Cr, double X, double Y, double Size, double Level, unsigned Colour);
};
