/*
    Stand-in for the desktop integration library: freedesktop sound themes.

    A sound theme is a directory named after the theme in $XDG_DATA_HOME/sounds
    or in an $XDG_DATA_DIRS entry + "/sounds", holding an "index.theme" with a
    group "Sound Theme" (Name, Inherits, Directories); each directory has a
    group of its own whose "OutputProfile" says what it is for ("stereo" when
    missing). Sound files are named after the sound with the suffix ".oga",
    ".ogg" or ".wav"; a file with the suffix ".disabled" switches a sound off.
*/
#ifndef PEXOCORE_PEXOSOUNDTHEME_H
#define PEXOCORE_PEXOSOUNDTHEME_H

#include "pexocore_export.h"

#include <memory>
#include <string>
#include <vector>

class PexoSoundThemePrivate;

class PEXOCORE_EXPORT PexoSoundTheme
{
public:
    // The names (UTF-8) of the sound themes, in base directory order and by
    // name within one; a theme present in several base directories is listed
    // once, where it is first found.
    static std::vector<std::string> getThemesNames();

    // name: the theme (UTF-8). locale: the language of localName() and of
    // localised sound files, such as "de_DE"; "" means the process's language.
    PexoSoundTheme(const std::string &name, const std::string &locale);
    ~PexoSoundTheme();

    PexoSoundTheme(const PexoSoundTheme &) = delete;
    PexoSoundTheme &operator=(const PexoSoundTheme &) = delete;

    // Reads the theme's index.theme; false when the theme is missing or has no
    // "Sound Theme" group. Every query before or after a failed load gives "".
    bool load();

    // The theme's "Name" in the locale, in the local 8-bit encoding.
    std::string localName() const;
    // The directory holding the theme's index.theme (UTF-8).
    std::string path() const;

    // The file (UTF-8) of a sound named in the local 8-bit encoding: looked
    // for in the theme, the themes it inherits from and then "freedesktop",
    // under the name and then under shorter generic names ("dialog-error",
    // then "dialog"); in the locale's subdirectories of a sound directory
    // before the directory itself, and in directories of the output profile
    // before the others. locale "" is the theme's; outputProfile "" is
    // "stereo". "" when nothing is found or the sound is disabled.
    std::string getSoundFilePath(const std::string &sound, const std::string &locale, const std::string &outputProfile) const;

private:
    std::unique_ptr<PexoSoundThemePrivate> const d;
};

#endif
