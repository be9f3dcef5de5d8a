#include "about_corvale_dialog.h"

#include "about_dialog.h"
#include "design_font.h"
#include "link_label.h"
#include "svg_picture.h"
#include "twips.h"

#include <QLabel>
#include <QPushButton>

namespace tavo {

AboutCorvaleDialog::AboutCorvaleDialog(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent)
    , m_about_box(new QLabel(this))
    , m_link(new LinkLabel(dialogs, this)) {
    setObjectName(QStringLiteral("AboutCorvale"));
    setFont(design_font(font()));
    setFixedSize(twips_size(5955, 2580));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    m_about_box->setObjectName(QStringLiteral("about_box"));
    m_about_box->setWordWrap(true);
    m_about_box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_about_box->setGeometry(twips_rect(600, 360, 4695, 1095));

    auto* picture =
        new SvgPicture(QStringLiteral(":/images/corvale_logo.svg"), tr("Corvale"), this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setGeometry(twips_rect(240, 1680, 1695, 495));

    m_link->setObjectName(QStringLiteral("link1"));
    m_link->setGeometry(twips_rect(2040, 1800, 2415, 255));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    ok->setGeometry(twips_rect(4560, 2160, 1260, 345));
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    setTabOrder(ok, m_link);
    ok->setFocus();
}

void AboutCorvaleDialog::fill(const QString& caption, const QString& message,
                              const QString& address) {
    setWindowTitle(caption);
    m_about_box->setText(message);
    m_link->set_address(address);
}

void AboutCorvaleDialog::fill_as_getting_tavo() {
    fill(QStringLiteral("Getting TAVO"),
         QStringLiteral("This version of TAVO is available as a free download from the web site "
                        "of Corvale."),
         tavo_web_address);
}

void AboutCorvaleDialog::fill_as_about_corvale() {
    fill(QStringLiteral("About Corvale"),
         QStringLiteral("Corvale is a not-for-profit charitable organization dedicated to the "
                        "most effective communication for people who use AAC (augmentative and "
                        "alternative communication).  To learn more, visit the Corvale web site."),
         tavo_web_address);
}

} // namespace tavo
