#include "TPictureWriter.h"

#include "TArt.h"
#include "runtime/TPngEncoder.h"

#include <cstdio>
#include <fstream>
#include <sstream>

cairo_surface_t* TPictureWriter::Render(const TPictureEntry& Entry) {
    cairo_surface_t* Surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Entry.FileWidth(), Entry.FileHeight());
    cairo_t* Cr = cairo_create(Surface);
    for (int P = 0; P < Entry.Patterns; ++P) {
        cairo_save(Cr);
        cairo_translate(Cr, (P % Entry.Columns()) * Entry.PtWidth, (P / Entry.Columns()) * Entry.PtHeight);
        cairo_rectangle(Cr, 0, 0, Entry.PtWidth, Entry.PtHeight);
        cairo_clip(Cr);
        Entry.Draw(Cr, P);
        cairo_restore(Cr);
    }
    cairo_destroy(Cr);
    cairo_surface_flush(Surface);
    return Surface;
}

bool TPictureWriter::WriteAll(const std::string& DataDir, const std::vector<TPictureEntry>& Entries) {
    for (const TPictureEntry& Entry : Entries) {
        cairo_surface_t* Surface = Render(Entry);
        const TPicture Picture = TArt::ToPicture(Surface);
        cairo_surface_destroy(Surface);
        std::string Error;
        const std::string Path = DataDir + "/Graphic/" + Entry.Name + ".png";
        if (!TPngEncoder::Save(Path, Picture, &Error)) {
            std::fprintf(stderr, "PictureGenerator: %s: %s\n", Path.c_str(), Error.c_str());
            return false;
        }
        std::printf("%-16s %4d x %-4d patterns %2d of %3d x %-3d in textures %4d x %d\n", Entry.Name.c_str(),
                    Picture.Width, Picture.Height, Entry.Patterns, Entry.PtWidth, Entry.PtHeight,
                    Entry.TexWidth, Entry.TexHeight);
    }
    return WriteList(DataDir + "/Graphic/Textures.ini", Entries);
}

bool TPictureWriter::WriteList(const std::string& Path, const std::vector<TPictureEntry>& Entries) {
    std::ostringstream Text;
    int Count = 0;
    for (const TPictureEntry& Entry : Entries)
        Count += Entry.Listed ? 1 : 0;
    Text << "[Textures]\nCount=" << Count << "\n";
    int Index = 0;
    for (const TPictureEntry& Entry : Entries) {
        if (!Entry.Listed)
            continue;
        Text << "\n[Texture" << Index++ << "]\nName=" << Entry.Name << "\nTexWidth=" << Entry.TexWidth
             << "\nTexHeight=" << Entry.TexHeight << "\nPtWidth=" << Entry.PtWidth
             << "\nPtHeight=" << Entry.PtHeight << "\nBitAlpha=$FF000000\nNeedMask=0\nImage=Graphic\\"
             << Entry.Name << ".png\n";
    }
    std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
    Out << Text.str();
    if (!Out) {
        std::fprintf(stderr, "PictureGenerator: cannot write %s\n", Path.c_str());
        return false;
    }
    return true;
}
