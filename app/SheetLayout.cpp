#include "app/SheetLayout.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumetra {

void layOutSheet(QDialog& sheet, const QString& intro, QLayout* content, QPushButton* ok,
                 QPushButton* cancel, int minimumWidth) {
    sheet.setWindowModality(Qt::WindowModal);

    auto* introLabel = new QLabel(intro, &sheet);
    introLabel->setObjectName(QStringLiteral("secondaryText"));
    introLabel->setWordWrap(true);

    ok->setObjectName(QStringLiteral("accentButton"));
    ok->setDefault(true);
    auto* buttons = new QDialogButtonBox(&sheet);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);

    auto* layout = new QVBoxLayout(&sheet);
    layout->setContentsMargins(22, 20, 22, 18);
    layout->setSpacing(16);
    layout->addWidget(introLabel);
    layout->addLayout(content);
    layout->addWidget(buttons);
    sheet.setMinimumWidth(minimumWidth);
}

}  // namespace lumetra
