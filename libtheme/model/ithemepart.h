#ifndef ITHEMEPART_H
#define ITHEMEPART_H

#include "pexotheme_export.h"

#include <QObject>

class IApplyHelper;
class IReadHelper;

// Base of the theme and behaviour parts: plain values behind getters and
// setters, moved to and from storage only through the helpers given.
class PEXOTHEME_EXPORT IThemePart : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void apply(IApplyHelper *helper) = 0;
    virtual void read(IReadHelper *helper) = 0;
    virtual void defaults() = 0;
    virtual bool hasChanges(IReadHelper *helper) const = 0;
    virtual void copyFrom(IThemePart *other) = 0;

Q_SIGNALS:
    void error(const QString &message);
    void changed();
};

#endif
