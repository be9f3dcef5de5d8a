#include "about_dialog.h"

#include "design_font.h"
#include "dialogs.h"
#include "link_label.h"
#include "svg_picture.h"
#include "system_information.h"
#include "twips.h"
#include "version.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tavo {

namespace {

QLabel* add_label(QWidget* parent, const QString& name, const QString& text, QRect twips) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(twips_rect(twips.x(), twips.y(), twips.width(), twips.height()));
    return label;
}

} // namespace

AboutDialog::AboutDialog(Dialogs& dialogs, const SystemInfoLocator& locator,
                         ProgramLauncher& launcher, QWidget* parent)
    : QDialog(parent)
    , m_dialogs(dialogs)
    , m_system_info_locator(locator)
    , m_launcher(launcher) {
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("About ") + QString::fromLatin1(application_title));
    setFont(design_font(font()));
    setFixedSize(twips_size(5730, 4065));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    QLabel* title = add_label(this, QStringLiteral("lblTitle"), QStringLiteral("Marlowen"),
                              QRect(2160, 120, 2925, 240));
    QFont title_font = font();
    title_font.setBold(true);
    title->setFont(title_font);
    add_label(this, QStringLiteral("lblVersion"),
              QStringLiteral("Version %1.%2").arg(version_major).arg(version_minor),
              QRect(3000, 360, 1365, 225));
    QLabel* ownership = add_label(this, QStringLiteral("lblDescription"),
                                  QStringLiteral("Copyright \u00A9 2026 the TAVO developers"),
                                  QRect(1200, 720, 3405, 210));
    ownership->setWordWrap(true);

    auto* credits = new QPlainTextEdit(this);
    credits->setObjectName(QStringLiteral("Text1"));
    credits->setReadOnly(true);
    credits->setTabChangesFocus(true);
    credits->setAccessibleName(tr("Credits"));
    credits->setPlainText(QStringLiteral("Programming directed by\n"
                                         "the TAVO development team\n"
                                         "Assistive Technology Group\n"
                                         "Corvale"));
    credits->setGeometry(twips_rect(1560, 1200, 2655, 1215));

    auto* link = new LinkLabel(dialogs, this);
    link->setObjectName(QStringLiteral("link1"));
    link->set_address(tavo_web_address);
    link->setGeometry(twips_rect(1560, 2520, 2775, 255));

    QLabel* disclaimer = add_label(
        this, QStringLiteral("Label1"),
        QStringLiteral("This software is provided \"as is\", without any express or implied "
                       "warranty. In no event will the authors be held liable for any damages "
                       "arising from the use of this software."),
        QRect(120, 3120, 4095, 855));
    disclaimer->setWordWrap(true);
    disclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    ok->setGeometry(twips_rect(4320, 3120, 1260, 345));
    connect(ok, &QPushButton::clicked, this, &QDialog::close);

    auto* sys_info = new QPushButton(QStringLiteral("&System Info..."), this);
    sys_info->setObjectName(QStringLiteral("cmdSysInfo"));
    sys_info->setGeometry(twips_rect(4320, 3600, 1245, 345));
    connect(sys_info, &QPushButton::clicked, this, &AboutDialog::system_info_clicked);

    auto* picture =
        new SvgPicture(QStringLiteral(":/images/tavo_about.svg"), tr("A hand on a switch"), this);
    picture->setObjectName(QStringLiteral("Image1"));
    // The picture at its designed size in the top left corner, behind the
    // texts that reach into its box.
    picture->setGeometry(0, 0, 118, 70);
    picture->lower();
    auto* icon = new SvgPicture(QStringLiteral(":/images/tavo_icon.svg"), tr("TAVO"), this);
    icon->setObjectName(QStringLiteral("Image2"));
    icon->setGeometry(px(5730) - 32 - px(120), px(2520) - 8, 32, 32);

    setTabOrder(ok, sys_info);
    setTabOrder(sys_info, link);
    ok->setFocus();
}

void AboutDialog::system_info_clicked() {
    if (!launch_system_information(m_system_info_locator, m_launcher)) {
        m_dialogs.show_message(this, sys_info_unavailable);
    }
}

} // namespace tavo
