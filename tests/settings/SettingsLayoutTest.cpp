#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <memory>

#include "QtPrint.h"
#include "TempDir.h"

#include "FontSubstitutions.h"
#include "TColorSwatch.h"
#include "TFormConf.h"
#include "TFormSenderConf.h"
#include "TPictureFrame.h"
#include "TPngButton.h"
#include "TThCampanyInfoManager.h"
#include "TThConfigInfo.h"

namespace {

// The settings the windows show: the defaults.
struct Settings {
    TempDir temp;
    TThConfigInfo config{temp.root()};
    TThCampanyInfoManager manager{temp.root()};
};

struct Window {
    const char* name;
    const char* tabs;
    std::function<std::unique_ptr<QDialog>(Settings& settings)> create;
};

void PrintTo(const Window& window, std::ostream* out) {
    *out << window.name;
}

template <class Form, class Edited>
std::unique_ptr<QDialog> Bound(Edited& edited) {
    auto form = std::make_unique<Form>();
    form->Bind(edited);
    return form;
}

const Window Windows[] = {
    {"TFormConf", "PGConfig", [](Settings& s) { return Bound<TFormConf>(s.config); }},
    {"TFormSenderConf", "PCCustomerInfo",
     [](Settings& s) { return Bound<TFormSenderConf>(s.manager); }},
};

// The controls a user reads or works; Qt's own parts of composite widgets are left out.
bool IsControl(const QWidget* w) {
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QGroupBox*>(w) || qobject_cast<const QTabWidget*>(w) ||
           qobject_cast<const TPictureFrame*>(w) || qobject_cast<const TColorSwatch*>(w);
}

class SettingsLayoutTest : public ::testing::TestWithParam<Window> {
  protected:
    SettingsLayoutTest() { InstallFontSubstitutions(); }

    // Every visible control inside its parent, with room for its caption and no neighbour
    // on top of it.
    void checkVisibleControls(QWidget* window, const std::string& where) {
        std::map<QWidget*, std::vector<QWidget*>> siblings;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!IsControl(w) || !w->isVisibleTo(window) || w->objectName().startsWith("qt_")) {
                continue;
            }
            const std::string name = where + " " + w->objectName().toStdString();
            const QWidget* parent = w->parentWidget();
            if (!qobject_cast<const QTabWidget*>(parent->parentWidget())) {
                EXPECT_TRUE(parent->rect().contains(w->geometry())) << name << " is cut off";
            }
            siblings[w->parentWidget()].push_back(w);
            const QFontMetrics metrics = w->fontMetrics();
            if (auto* label = qobject_cast<QLabel*>(w)) {
                EXPECT_LE(metrics.horizontalAdvance(label->text()), label->contentsRect().width())
                    << name << ": " << label->text().toStdString();
                EXPECT_LE(metrics.height(), label->height()) << name;
            } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
                EXPECT_LE(w->sizeHint().width(), w->width()) << name;
                EXPECT_LE(w->sizeHint().height(), w->height()) << name;
            } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
                EXPECT_LE(metrics.horizontalAdvance(group->title()) + 16, group->width()) << name;
            } else if (auto* picture = qobject_cast<TPngButton*>(w)) {
                EXPECT_EQ(picture->size(), picture->sizeHint()) << name << ": picture stretched";
            } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                EXPECT_GE(edit->height(), edit->minimumSizeHint().height()) << name;
                // A default text is readable whole.
                EXPECT_LE(metrics.horizontalAdvance(edit->text()) + 8, edit->width())
                    << name << ": " << edit->text().toStdString();
            }
        }
        for (const auto& [parent, children] : siblings) {
            for (size_t i = 0; i < children.size(); ++i) {
                for (size_t j = i + 1; j < children.size(); ++j) {
                    EXPECT_FALSE(children[i]->geometry().intersects(children[j]->geometry()))
                        << where << " " << children[i]->objectName().toStdString() << " and "
                        << children[j]->objectName().toStdString() << " overlap";
                }
            }
        }
    }

    Settings settings;
};

std::string WindowName(const ::testing::TestParamInfo<Window>& window) {
    return window.param.name;
}

INSTANTIATE_TEST_SUITE_P(Windows, SettingsLayoutTest, ::testing::ValuesIn(Windows), WindowName);

TEST_P(SettingsLayoutTest, EveryTabIsReadableUnclippedAndFitsTheSmallScreen) {
    const std::unique_ptr<QDialog> window = GetParam().create(settings);
    EXPECT_TRUE(QFontInfo(window->font()).family().startsWith("IPA"))
        << "measured in the font the program shows";
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    // Room for the window frame and a panel on a 1024 x 768 screen.
    EXPECT_LE(window->width(), 1000);
    EXPECT_LE(window->height(), 700);
    auto* tabs = window->findChild<QTabWidget*>(QLatin1String(GetParam().tabs));
    ASSERT_NE(tabs, nullptr);
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        checkVisibleControls(window.get(), tabs->tabText(i).toStdString());
    }
}

}  // namespace
