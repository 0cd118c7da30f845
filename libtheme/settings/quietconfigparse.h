/*
    Internal: the configuration reader warns once for every invalid escape
    in a file it parses, and a theme file from elsewhere can hold thousands:
    formatting them costs far more than the parse. While a QuietConfigParse
    lives, on any thread, the reader's warnings are off in this process;
    when the last one ends they are as the logging rules make them.
*/
#ifndef QUIETCONFIGPARSE_H
#define QUIETCONFIGPARSE_H

#include "pexotheme_export.h"

class PEXOTHEME_EXPORT QuietConfigParse
{
public:
    QuietConfigParse();
    ~QuietConfigParse();
    QuietConfigParse(const QuietConfigParse &) = delete;
    QuietConfigParse &operator=(const QuietConfigParse &) = delete;
};

#endif
