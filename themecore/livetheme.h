/*
    Internal: the live settings as a page or a tool edits them. It keeps
    the values it last read or applied; what was changed since is the
    edit, which rebase() makes again on the live settings as they are once
    the change holds the session lock, so that a value that another writer
    changed meanwhile and that was not edited here is not written back.
*/
#ifndef LIVETHEME_H
#define LIVETHEME_H

#include <theme.h>

#include <memory>

class LiveThemePrivate;

class LiveTheme : public Theme
{
    Q_OBJECT
public:
    explicit LiveTheme(const std::shared_ptr<ISettingsProvider> &provider);
    ~LiveTheme() override;

    void read() override;
    void apply() override;

    // Takes the values of base, with the edits made here since the last
    // read or apply made on them. The parts say nothing meanwhile: the
    // values that another writer changed are taken as a read takes them,
    // without the reactions of a page to an edit.
    void rebase(const std::shared_ptr<Theme> &base);

private:
    std::unique_ptr<LiveThemePrivate> const d;
};

#endif
