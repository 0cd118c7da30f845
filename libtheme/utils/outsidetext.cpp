#include "outsidetext.h"

namespace {
bool isBlank(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}
} // namespace

QString OutsideText::shown(const QString &text, int maxLength)
{
    QString plain;
    bool blank = false;
    for (const QChar c : text) {
        if (isBlank(c)) {
            blank = !plain.isEmpty();
            continue;
        }
        if (blank) {
            plain += QLatin1Char(' ');
            blank = false;
        }
        plain += c;
        if (plain.size() > maxLength) {
            break;
        }
    }
    if (plain.size() <= maxLength) {
        return plain;
    }
    // A pair of surrogates stays whole or goes whole.
    int cut = std::max(maxLength - 1, 0);
    if (cut > 0 && plain.at(cut - 1).isHighSurrogate()) {
        --cut;
    }
    return plain.left(cut).trimmed() + QChar(0x2026);
}
