#include "editor/tools/Doubles.h"

#include "document/PageDocument.h"
#include "editor/tools/UnusedPictures.h"
#include "platform/ui/ErrorReport.h"

#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TfrmDoubles::TfrmDoubles(TPageDocument& document, QWidget* parent)
    : QWidget(parent)
    , FDocument(document)
{
    setObjectName(QStringLiteral("frmDoubles"));
    setWindowTitle(QStringLiteral("Doubles"));

    auto* title = new QWidget(this);
    title->setObjectName(QStringLiteral("TitleStrip"));
    Image1 = new QLabel(title);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(style()->standardIcon(QStyle::SP_DirIcon).pixmap(16, 16));
    Image2 = new QLabel(QStringLiteral("Doubles"), title);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image3 = new QToolButton(title);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    Image3->setAutoRaise(true);
    auto* titleLayout = new QHBoxLayout(title);
    titleLayout->setContentsMargins(2, 0, 0, 0);
    titleLayout->addWidget(Image1);
    titleLayout->addWidget(Image2, 1);
    titleLayout->addWidget(Image3);

    lbFiles = new QListWidget(this);
    lbFiles->setObjectName(QStringLiteral("lbFiles"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(title);
    layout->addWidget(lbFiles, 1);

    connect(Image3, &QToolButton::clicked, this, Guarded([this] { Image3Click(); }));
    // Another project's pictures mean nothing here; the search waits for the button.
    connect(&FDocument, &TPageDocument::ProjectReplaced, this, [this] { FormCreate(); });
    FormCreate();
}

void TfrmDoubles::FormCreate()
{
    lbFiles->clear();
}

void TfrmDoubles::FindUnusedImages(const QString& Folder)
{
    lbFiles->clear();
    lbFiles->addItems(FindUnusedPictures(Folder));
}

void TfrmDoubles::Image3Click()
{
    FindUnusedImages(FDocument.ProjectFolder());
}

