#include "runtime/TPath.h"
#include "runtime/TAscii.h"

#include "runtime/TFileSystem.h"

#include <vector>

namespace {

bool PathExists(const std::string& Path) {
    return TFileSystem::KindOf(Path) != TFileSystem::TKind::Missing;
}

// The entry of Folder named like Name without regard to case; empty if there is none.
std::string FindEntry(const std::string& Folder, const std::string& Name) {
    std::string Found;
    for (const std::string& Entry : TFileSystem::List(Folder)) {
        // An exact match beats one that only differs in case.
        if (Entry == Name)
            return Entry;
        if (Found.empty() && TAscii::SameName(Entry, Name))
            Found = Entry;
    }
    return Found;
}

} // namespace

std::string TPath::Normalise(const std::string& Path) {
    std::string Out;
    Out.reserve(Path.size());
    for (char C : Path) {
        if (C == '\\') {
            C = '/';
        }
        if (C == '/' && !Out.empty() && Out.back() == '/') {
            continue;
        }
        Out += C;
    }
    // Drop "./" components (but keep a leading "./" meaning the current folder, and keep "..").
    std::string Clean;
    Clean.reserve(Out.size());
    size_t Pos = 0;
    while (Pos < Out.size()) {
        size_t Slash = Out.find('/', Pos);
        size_t End = Slash == std::string::npos ? Out.size() : Slash + 1;
        std::string Part = Out.substr(Pos, End - Pos);
        if ((Part == "./" || Part == ".") && Pos != 0) {
            Pos = End;
            continue;
        }
        Clean += Part;
        Pos = End;
    }
    return Clean;
}

std::string TPath::Resolve(const std::string& Path) {
    if (Path.empty() || PathExists(Path)) {
        return Path;
    }
    std::vector<std::string> Parts;
    size_t Pos = Path[0] == '/' ? 1 : 0;
    std::string Resolved = Path[0] == '/' ? "/" : "";
    while (Pos <= Path.size()) {
        size_t Slash = Path.find('/', Pos);
        if (Slash == std::string::npos) {
            Slash = Path.size();
        }
        Parts.push_back(Path.substr(Pos, Slash - Pos));
        Pos = Slash + 1;
    }
    for (size_t I = 0; I < Parts.size(); ++I) {
        const std::string& Part = Parts[I];
        const bool Last = I + 1 == Parts.size();
        if (Part.empty()) {
            // Only a trailing separator gives an empty part.
            continue;
        }
        std::string Candidate = Resolved + Part;
        if (Part != "." && Part != ".." && !PathExists(Candidate)) {
            std::string Found = FindEntry(Resolved.empty() ? std::string(".") : Resolved, Part);
            if (Found.empty()) {
                return Path;
            }
            Candidate = Resolved + Found;
        }
        Resolved = Candidate;
        if (!Last) {
            Resolved += '/';
        }
    }
    if (!Path.empty() && Path.back() == '/' && (Resolved.empty() || Resolved.back() != '/')) {
        Resolved += '/';
    }
    return Resolved;
}

std::string TPath::Join(const std::string& Directory, const std::string& Relative) {
    std::string Joined = Directory;
    if (!Joined.empty() && !Relative.empty()) {
        Joined += '/';
    }
    Joined += Relative;
    return Resolve(Normalise(Joined));
}

std::string TPath::Extension(const std::string& Path) {
    std::string Name = FileName(Path);
    size_t Dot = Name.find_last_of('.');
    if (Dot == std::string::npos || Dot == 0) {
        return std::string();
    }
    std::string Ext = Name.substr(Dot);
    for (char& C : Ext) {
        C = TAscii::Lower(C);
    }
    return Ext;
}

std::string TPath::Directory(const std::string& Path) {
    size_t Slash = Path.find_last_of("/\\");
    return Slash == std::string::npos ? std::string() : Path.substr(0, Slash + 1);
}

std::string TPath::FileName(const std::string& Path) {
    size_t Slash = Path.find_last_of("/\\");
    return Slash == std::string::npos ? Path : Path.substr(Slash + 1);
}
