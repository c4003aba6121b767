#include "TPictureWriter.h"

#include "TArt.h"
#include "runtime/TPngEncoder.h"

#include <cstdio>
#include <fstream>
#include <sstream>

cairo_surface_t* TPictureWriter::Render(const TPictureSpec& Spec) {
    cairo_surface_t* Surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Spec.FileWidth(), Spec.FileHeight());
    cairo_t* Cr = cairo_create(Surface);
    for (int P = 0; P < Spec.Patterns; ++P) {
        cairo_save(Cr);
        cairo_translate(Cr, (P % Spec.Columns()) * Spec.PtWidth, (P / Spec.Columns()) * Spec.PtHeight);
        cairo_rectangle(Cr, 0, 0, Spec.PtWidth, Spec.PtHeight);
        cairo_clip(Cr);
        Spec.Draw(Cr, P);
        cairo_restore(Cr);
    }
    cairo_destroy(Cr);
    cairo_surface_flush(Surface);
    return Surface;
}

bool TPictureWriter::WriteAll(const std::string& DataDir, const std::vector<TPictureSpec>& Specs) {
    for (const TPictureSpec& Spec : Specs) {
        cairo_surface_t* Surface = Render(Spec);
        const TPicture Picture = TArt::ToPicture(Surface);
        cairo_surface_destroy(Surface);
        std::string Error;
        const std::string Path = DataDir + "/Graphic/" + Spec.Name + ".png";
        if (!TPngEncoder::Save(Path, Picture, &Error)) {
            std::fprintf(stderr, "PictureGenerator: %s: %s\n", Path.c_str(), Error.c_str());
            return false;
        }
        std::printf("%-16s %4d x %-4d patterns %2d of %3d x %-3d in textures %4d x %d\n", Spec.Name.c_str(),
                    Picture.Width, Picture.Height, Spec.Patterns, Spec.PtWidth, Spec.PtHeight, Spec.TexWidth,
                    Spec.TexHeight);
    }
    return WriteList(DataDir + "/Graphic/Textures.ini", Specs);
}

bool TPictureWriter::WriteList(const std::string& Path, const std::vector<TPictureSpec>& Specs) {
    std::ostringstream Text;
    int Count = 0;
    for (const TPictureSpec& Spec : Specs)
        Count += Spec.Listed ? 1 : 0;
    Text << "[Textures]\nCount=" << Count << "\n";
    int Index = 0;
    for (const TPictureSpec& Spec : Specs) {
        if (!Spec.Listed)
            continue;
        Text << "\n[Texture" << Index++ << "]\nName=" << Spec.Name << "\nTexWidth=" << Spec.TexWidth
             << "\nTexHeight=" << Spec.TexHeight << "\nPtWidth=" << Spec.PtWidth
             << "\nPtHeight=" << Spec.PtHeight << "\nBitAlpha=$FF000000\nNeedMask=0\nImage=Graphic\\"
             << Spec.Name << ".png\n";
    }
    std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
    Out << Text.str();
    if (!Out) {
        std::fprintf(stderr, "PictureGenerator: cannot write %s\n", Path.c_str());
        return false;
    }
    return true;
}
