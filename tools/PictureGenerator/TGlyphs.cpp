#include "TGlyphs.h"

#include <map>
#include <vector>

namespace {

using TStroke = std::vector<std::pair<double, double>>;

const std::map<char, std::vector<TStroke>>& Letters() {
    static const std::map<char, std::vector<TStroke>> Table = {
        {'Z', {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}}},
        {'E', {{{1, 0}, {0, 0}, {0, 1}, {1, 1}}, {{0, 0.5}, {0.7, 0.5}}}},
        {'R',
         {{{0, 1}, {0, 0}, {0.82, 0}, {1, 0.16}, {1, 0.34}, {0.82, 0.5}, {0, 0.5}}, {{0.45, 0.5}, {1, 1}}}},
        {'A', {{{0, 1}, {0, 0.32}, {0.32, 0}, {0.68, 0}, {1, 0.32}, {1, 1}}, {{0, 0.58}, {1, 0.58}}}},
        {'T', {{{0, 0}, {1, 0}}, {{0.5, 0}, {0.5, 1}}}},
        {'H', {{{0, 0}, {0, 1}}, {{1, 0}, {1, 1}}, {{0, 0.5}, {1, 0.5}}}},
        {'O', {{{0.2, 0}, {0.8, 0}, {1, 0.2}, {1, 0.8}, {0.8, 1}, {0.2, 1}, {0, 0.8}, {0, 0.2}, {0.2, 0}}}},
        {'N', {{{0, 1}, {0, 0}, {1, 1}, {1, 0}}}},
        {'K', {{{0, 0}, {0, 1}}, {{1, 0}, {0, 0.56}}, {{0.32, 0.38}, {1, 1}}}},
        {'S',
         {{{1, 0},
           {0.16, 0},
           {0, 0.16},
           {0, 0.36},
           {0.16, 0.5},
           {0.84, 0.5},
           {1, 0.64},
           {1, 0.84},
           {0.84, 1},
           {0, 1}}}},
        {'U', {{{0, 0}, {0, 0.82}, {0.18, 1}, {0.82, 1}, {1, 0.82}, {1, 0}}}},
        {'D', {{{0, 0}, {0.72, 0}, {1, 0.28}, {1, 0.72}, {0.72, 1}, {0, 1}, {0, 0}}}},
        {'I', {{{0.5, 0}, {0.5, 1}}}},
    };
    return Table;
}

} // namespace

double TGlyphs::Measure(const std::string& Text, double Width, double Gap) {
    double X = 0;
    for (char C : Text)
        X += (C == 'I' ? Width * 0.3 : C == ' ' ? Width * 0.6 : Width) + Gap;
    return Text.empty() ? 0 : X - Gap;
}

double TGlyphs::Word(cairo_t* Cr, const std::string& Text, double X, double Y, double Width, double Height,
                     double Gap) {
    double Left = X;
    for (char C : Text) {
        const double W = C == 'I' ? Width * 0.3 : C == ' ' ? Width * 0.6 : Width;
        const auto Found = Letters().find(C);
        if (Found != Letters().end())
            for (const TStroke& Stroke : Found->second) {
                cairo_new_sub_path(Cr);
                for (const auto& [SX, SY] : Stroke)
                    cairo_line_to(Cr, C == 'I' ? Left + W / 2 : Left + SX * W, Y + SY * Height);
            }
        Left += W + Gap;
    }
    return Left - Gap - X;
}
