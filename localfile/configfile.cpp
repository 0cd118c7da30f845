#include "configfile.h"

#include <QLoggingCategory>

#include <atomic>
#include <mutex>

namespace {
const char readerCategory[] = "kf.config.core";

// Guarded by the mutex. The filter runs under the logging registry's own
// lock and then takes this one; nothing here calls the registry while
// holding it.
std::mutex mutex;
int parsing = 0;
QLoggingCategory *reader = nullptr;
// The reader's warnings as the rules make them, known once it is seen.
bool rulesEnable = true;
// Null only while the filter is being installed, when the categories it
// is called for keep the state they have.
std::atomic<QLoggingCategory::CategoryFilter> previous{nullptr};

void filter(QLoggingCategory *category)
{
    const auto applyRules = [category] {
        if (const QLoggingCategory::CategoryFilter rules = previous.load()) {
            rules(category);
        }
    };
    if (qstrcmp(category->categoryName(), readerCategory) != 0) {
        applyRules();
        return;
    }
    // The rules' state and its capture in one step: a parse starting
    // meanwhile would otherwise be taken for what the rules say.
    const std::lock_guard<std::mutex> lock(mutex);
    applyRules();
    reader = category;
    rulesEnable = category->isWarningEnabled();
    if (parsing > 0) {
        category->setEnabled(QtWarningMsg, false);
    }
}

// The reader's warnings are off while one lives.
class Quiet
{
public:
    Quiet()
    {
        static std::once_flag installed;
        std::call_once(installed, [] {
            previous = QLoggingCategory::installFilter(filter);
        });
        const std::lock_guard<std::mutex> lock(mutex);
        if (parsing++ == 0 && reader) {
            reader->setEnabled(QtWarningMsg, false);
        }
    }

    ~Quiet()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (--parsing == 0 && reader) {
            reader->setEnabled(QtWarningMsg, rulesEnable);
        }
    }

    Quiet(const Quiet &) = delete;
    Quiet &operator=(const Quiet &) = delete;
};
} // namespace

std::unique_ptr<KConfig> ConfigFile::open(const QString &file, KConfig::OpenFlags flags, QStandardPaths::StandardLocation type)
{
    const Quiet quiet;
    return std::make_unique<KConfig>(file, flags, type);
}

KSharedConfigPtr ConfigFile::openShared(const QString &file, KConfig::OpenFlags flags, QStandardPaths::StandardLocation type)
{
    const Quiet quiet;
    return KSharedConfig::openConfig(file, flags, type);
}

void ConfigFile::reparse(KConfig &config)
{
    const Quiet quiet;
    config.reparseConfiguration();
}

bool ConfigFile::sync(KConfig &config)
{
    const Quiet quiet;
    return config.sync();
}

void ConfigFile::parse(const std::function<void()> &read)
{
    const Quiet quiet;
    read();
}
