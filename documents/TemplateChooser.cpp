#include "documents/TemplateChooser.h"

#include "documents/FileIO.h"
#include "platform/LangStrings.h"
#include "platform/WindowPlacement.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace Quillorn {

namespace {

constexpr int PathRole = Qt::UserRole;

} // namespace

TemplateChooser::TemplateChooser(const QString& appDir, const LangStrings& strings,
                                 const QString& language, QWidget* parent)
    : QDialog(parent)
    , m_store(TemplateStore::folderIn(appDir))
    , m_language(language)
    , m_list(new QListWidget)
    , m_types(new QComboBox)
{
    setObjectName(QStringLiteral("Form1"));
    WindowPlacement::keepOverParent(this);
    setWindowTitle(strings.value(Str::Templates, QStringLiteral("Templates")));

    auto frame = new QGroupBox(strings.value(Str::Templates, QStringLiteral("Templates")));
    auto frameLayout = new QVBoxLayout(frame);
    m_list->setObjectName(QStringLiteral("Templates"));
    m_list->setViewMode(QListView::IconMode);
    m_list->setMovement(QListView::Static);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setWrapping(true);
    m_list->setIconSize(QSize(32, 32));
    m_list->setGridSize(QSize(110, 72));
    m_list->setWordWrap(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    frameLayout->addWidget(m_list);

    auto typeLabel =
        new QLabel(strings.value(Str::SelectFileType, QStringLiteral("Select file type")));
    m_types->setObjectName(QStringLiteral("FileType"));
    m_types->addItems({QStringLiteral("HTML"), QStringLiteral("JavaScript"), QStringLiteral("CSS"),
                       QStringLiteral("PHP")});
    m_types->setCurrentIndex(-1);
    typeLabel->setBuddy(m_types);
    auto typeRow = new QHBoxLayout;
    typeRow->addWidget(typeLabel);
    typeRow->addWidget(m_types, 1);

    auto buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(strings.value(Str::OkButton, QStringLiteral("OK")),
                                         QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);

    auto layout = new QVBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addLayout(typeRow);
    layout->addWidget(buttons);
    resize(420, 320);

    // Picking a type means a blank document of it: no template stays selected.
    connect(m_types, &QComboBox::currentIndexChanged, m_list, &QListWidget::clearSelection);
    connect(ok, &QPushButton::clicked, this, &TemplateChooser::choose);
    connect(m_list, &QListWidget::itemActivated, this, &TemplateChooser::choose);

    fill();
}

QString TemplateChooser::typeExtension(int index)
{
    switch (index) {
    case 0:
        return QStringLiteral(".html");
    case 1:
        return QStringLiteral(".js");
    case 2:
        return QStringLiteral(".css");
    case 3:
        return QStringLiteral(".php");
    default:
        return {};
    }
}

void TemplateChooser::fill()
{
    QFileIconProvider icons;
    for (const QString& name : m_store.fileNames()) {
        const QString path = m_store.path(name);
        auto item = new QListWidgetItem(icons.icon(QFileInfo(path)),
                                        TemplateStore::displayName(name), m_list);
        item->setData(PathRole, path);
        item->setToolTip(name);
    }
}

void TemplateChooser::choose()
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    m_choice = {};
    if (!selected.isEmpty()) {
        const QString path = selected.first()->data(PathRole).toString();
        m_choice.templatePath = path;
        m_choice.extension = TemplateStore::extension(QFileInfo(path).fileName());
        m_choice.icon = selected.first()->icon();
        m_choice.text = FileIO::readTextFile(path, m_language);
    } else {
        m_choice.extension = typeExtension(m_types->currentIndex());
    }
    accept();
}

} // namespace Quillorn
