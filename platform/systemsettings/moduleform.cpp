#include "moduleform.h"
#include "modulehost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <functional>
#include <vector>

namespace {
const int spinLimit = 1000000;
}

class ModuleFormPrivate
{
public:
    ModuleHost *host;
    // Each shows the module's current value in its editor.
    std::vector<std::function<void()>> showers;
};

ModuleForm::ModuleForm(ModuleHost *host, QWidget *parent)
    : QWidget(parent)
    , d(new ModuleFormPrivate{host, {}})
{
    setWindowTitle(host->metaData().name().isEmpty() ? host->metaData().pluginId() : host->metaData().name());
    auto *layout = new QVBoxLayout(this);
    if (QWidget *page = host->widget()) {
        layout->addWidget(page);
        // Room for a page that is laid out for a settings window, not for its size hint.
        resize(sizeHint().expandedTo(QSize(720, 520)));
    } else {
        auto *form = new QFormLayout;
        layout->addLayout(form);
        QObject *module = host->module();
        const QMetaMethod refreshSlot = metaObject()->method(metaObject()->indexOfSlot("refresh()"));
        for (const QMetaProperty &property : host->properties()) {
            QWidget *editor = nullptr;
            const auto write = [module, property](const QVariant &value) {
                property.write(module, value);
            };
            if (property.isEnumType()) {
                auto *box = new QComboBox;
                const QMetaEnum values = property.enumerator();
                for (int i = 0; i < values.keyCount(); ++i) {
                    box->addItem(QString::fromLatin1(values.key(i)), values.value(i));
                }
                connect(box, QOverload<int>::of(&QComboBox::activated), box, [box, write](int index) {
                    write(box->itemData(index));
                });
                d->showers.push_back([box, module, property] {
                    box->setCurrentIndex(box->findData(property.read(module).toInt()));
                });
                editor = box;
            } else if (property.userType() == QMetaType::Bool) {
                auto *box = new QCheckBox;
                connect(box, &QCheckBox::clicked, box, write);
                d->showers.push_back([box, module, property] {
                    box->setChecked(property.read(module).toBool());
                });
                editor = box;
            } else if (property.userType() == QMetaType::Int) {
                auto *box = new QSpinBox;
                box->setRange(-spinLimit, spinLimit);
                connect(box, QOverload<int>::of(&QSpinBox::valueChanged), box, write);
                d->showers.push_back([box, module, property] {
                    const QSignalBlocker blocker(box);
                    box->setValue(property.read(module).toInt());
                });
                editor = box;
            } else {
                auto *field = new QLineEdit;
                connect(field, &QLineEdit::editingFinished, field, [field, write] {
                    write(field->text());
                });
                d->showers.push_back([field, host, property] {
                    field->setText(host->text(property));
                });
                editor = field;
            }
            editor->setObjectName(QString::fromLatin1(property.name()));
            editor->setEnabled(property.isWritable() && property.userType() != QMetaType::UnknownType);
            form->addRow(QString::fromLatin1(property.name()), editor);
            if (property.hasNotifySignal()) {
                connect(module, property.notifySignal(), this, refreshSlot);
            }
        }
        refresh();
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::RestoreDefaults | QDialogButtonBox::Reset | QDialogButtonBox::Apply);
    layout->addWidget(buttons);
    QPushButton *apply = buttons->button(QDialogButtonBox::Apply);
    QPushButton *reset = buttons->button(QDialogButtonBox::Reset);
    connect(apply, &QPushButton::clicked, host, &ModuleHost::save);
    connect(reset, &QPushButton::clicked, host, &ModuleHost::load);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, host, &ModuleHost::defaults);
    const auto follow = [apply, reset](bool needsSave) {
        apply->setEnabled(needsSave);
        reset->setEnabled(needsSave);
    };
    connect(host, &ModuleHost::needsSaveChanged, this, follow);
    follow(host->needsSave());
}

ModuleForm::~ModuleForm()
{
    // The module's own page belongs to the host, not to this window.
    if (QWidget *page = d->host->widget()) {
        page->hide();
        page->setParent(nullptr);
    }
}

void ModuleForm::refresh()
{
    for (const auto &show : d->showers) {
        show();
    }
}
