// The Optional Features and Scan Information dialogs, driven as a user
// drives them: what they show for an image, what OK and Cancel leave in it,
// their keys, spins and corrections.
#include "GuiTestSupport.h"

#include "OptionsDlg.h"
#include "ScanInfoDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <map>

namespace {

using radio::Model;

class SettingsDialogsTest : public ProgrammerTest {
protected:
    // Opens Optional Features, hands the dialog to `inDialog`, then presses
    // Cancel unless `inDialog` closed it.
    void WithOptions(const std::function<void(COptionsDlg&)>& inDialog) {
        bool ran = false;
        OnNextDialog<COptionsDlg>([&](COptionsDlg& dialog) {
            ran = true;
            inDialog(dialog);
            if (dialog.isVisible()) {
                dialog.reject();
            }
        });
        Frame()->OnCommand(cmd::kOptionalFeatures);
        EXPECT_TRUE(ran);
    }

    void WithScan(const std::function<void(CScanInfoDlg&)>& inDialog) {
        bool ran = false;
        OnNextDialog<CScanInfoDlg>([&](CScanInfoDlg& dialog) {
            ran = true;
            inDialog(dialog);
            if (dialog.isVisible()) {
                dialog.reject();
            }
        });
        Frame()->OnCommand(cmd::kScanInfo);
        EXPECT_TRUE(ran);
    }

    // What each control shows, by control id: the list's text, or
    // "checked"/"clear" for a check box.
    static std::map<int, std::string> Shown(const COptionsDlg& dialog,
                                            const radio::ModelVariant& variant) {
        std::map<int, std::string> shown;
        for (const radio::OptionDef& option : variant.options) {
            QWidget* control = dialog.Control(option.controlId);
            if (auto* box = qobject_cast<QCheckBox*>(control)) {
                shown[option.controlId] = box->isChecked() ? "checked" : "clear";
            } else if (auto* list = qobject_cast<QComboBox*>(control)) {
                shown[option.controlId] = list->currentText().toStdString();
            }
        }
        return shown;
    }

    static void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    // Leaves the edit as a click elsewhere would.
    static void Leave(QLineEdit* edit) {
        QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
        QApplication::sendEvent(edit, &out);
    }

    void ProgramChannel(int row) {
        ClickCell(row, 1);
        TypeIntoEditor("146.52");
        PressKey(Qt::Key_Return);
    }

    radio::Image& Image() { return Document()->GetImage(); }
};

TEST_F(SettingsDialogsTest, NewProgramWrenV3DocumentShowsItsDefaults) {
    ASSERT_TRUE(Start(Model::WrenV3));
    WithOptions([&](COptionsDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Optional Features"));
        EXPECT_EQ(Shown(dialog, App().variant), (std::map<int, std::string>{{1119, "Auto"},
                                                                            {1117, "25k"},
                                                                            {1120, "0.4"},
                                                                            {1130, "1"},
                                                                            {1121, "Manual"},
                                                                            {1116, "1"},
                                                                            {1118, "1"},
                                                                            {1128, "Frequency"},
                                                                            {1129, "On"},
                                                                            {1122, "Off"},
                                                                            {1126, "CO"},
                                                                            {1123, "Off"},
                                                                            {1127, "Off"},
                                                                            {1124, "Off"},
                                                                            {1125, "3s"},
                                                                            {1016, "checked"}}));
        EXPECT_TRUE(dialog.OkButton()->isDefault());
    });
}

TEST_F(SettingsDialogsTest, NewProgramLarkDocumentShowsItsDefaultsInBothLanguages) {
    for (const char* language : {"English", "Chinese"}) {
        ASSERT_TRUE(Start(Model::Lark, language));
        const bool chinese = std::string(language) == "Chinese";
        WithOptions([&](COptionsDlg& dialog) {
            EXPECT_EQ(Shown(dialog, App().variant),
                      (std::map<int, std::string>{{1118, "60s"},
                                                  {1117, chinese ? "中文" : "Chinese"},
                                                  {1130, "8"},
                                                  {1116, "4"},
                                                  {1121, "5"},
                                                  {1123, "1.0"},
                                                  {1016, "checked"},
                                                  {1005, "checked"}}));
            auto* preAlert = qobject_cast<QComboBox*>(dialog.Control(1130));
            EXPECT_EQ(preAlert->itemText(0),
                      chinese ? QStringLiteral("关") : QStringLiteral("Off"));
            EXPECT_EQ(qobject_cast<QComboBox*>(dialog.Control(1118))->count(), 40);
        });
    }
}

TEST_F(SettingsDialogsTest, CancelAfterChangingEveryControlLeavesTheImage) {
    ASSERT_TRUE(Start(Model::WrenV2));
    const radio::Image before = Image();
    WithOptions([&](COptionsDlg& dialog) {
        for (const radio::OptionDef& option : App().variant.options) {
            QWidget* control = dialog.Control(option.controlId);
            if (auto* box = qobject_cast<QCheckBox*>(control)) {
                QTest::mouseClick(box, Qt::LeftButton);
            } else if (auto* list = qobject_cast<QComboBox*>(control)) {
                list->setCurrentIndex((list->currentIndex() + 1) % list->count());
            }
        }
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    });
    EXPECT_EQ(Image(), before);
    EXPECT_FALSE(Document()->IsModified());
}

TEST_F(SettingsDialogsTest, OkRewritesWholeByteOptionsAndKeepsOnesWithoutASelection) {
    ASSERT_TRUE(Start(Model::WrenV3));
    Image()[0x1FC1] = 0xF1; // Squelch "1" with upper bits set
    Image()[0x1FC3] = 0x0F; // Time-Out Timer beyond its list
    WithOptions([&](COptionsDlg& dialog) {
        EXPECT_EQ(qobject_cast<QComboBox*>(dialog.Control(1118))->currentIndex(), -1);
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    EXPECT_EQ(Image()[0x1FC1], 0x01);
    EXPECT_EQ(Image()[0x1FC3], 0x0F);
    EXPECT_TRUE(Document()->IsModified());

    // LED "On" after "Auto": bits 3-2 become 10, the rest of the byte stays.
    WithOptions([&](COptionsDlg& dialog) {
        qobject_cast<QComboBox*>(dialog.Control(1119))->setCurrentIndex(2);
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    EXPECT_EQ(Image()[0x1FE1], 0xD8);
}

TEST_F(SettingsDialogsTest, ProgramLarkLetsOnlyDigitsAndArrowsThrough) {
    ASSERT_TRUE(Start(Model::Lark));
    WithOptions([&](COptionsDlg& dialog) {
        auto* squelch = qobject_cast<QComboBox*>(dialog.Control(1116));
        squelch->setFocus();
        QTest::keyClick(squelch, Qt::Key_F1);
        QTest::keyClick(squelch, Qt::Key_Return);
        QTest::keyClick(squelch, Qt::Key_Escape);
        EXPECT_TRUE(dialog.isVisible());
        QTest::keyClick(squelch, Qt::Key_7, Qt::ShiftModifier);
        EXPECT_EQ(squelch->currentText(), QStringLiteral("4"));
        QTest::keyClick(squelch, Qt::Key_A);
        EXPECT_EQ(squelch->currentText(), QStringLiteral("4"));
        QTest::keyClick(squelch, Qt::Key_7);
        EXPECT_EQ(squelch->currentText(), QStringLiteral("7"));
        QTest::keyClick(squelch, Qt::Key_Down);
        EXPECT_EQ(squelch->currentText(), QStringLiteral("8"));
        auto* beep = qobject_cast<QCheckBox*>(dialog.Control(1016));
        beep->setFocus();
        QTest::keyClick(beep, Qt::Key_Space);
        EXPECT_TRUE(beep->isChecked());
        QTest::keyClick(beep, Qt::Key_F1);
    });
    EXPECT_EQ(m_help.contexts, (std::vector<std::uint32_t>{1116, 1016}));
}

TEST_F(SettingsDialogsTest, WrenFamilyKeysWorkAsUsualAndF1GivesTheControl) {
    ASSERT_TRUE(Start(Model::Wren));
    const radio::Image before = Image();
    WithOptions([&](COptionsDlg& dialog) {
        auto* step = dialog.Control(1117);
        step->setFocus();
        QTest::keyClick(step, Qt::Key_F1);
        QTest::keyClick(step, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(m_help.contexts, std::vector<std::uint32_t>{1117});
    EXPECT_EQ(Image(), before);
}

TEST_F(SettingsDialogsTest, ChineseLibraryGivesChineseLabelsAndListsButNotToProgramWren) {
    ASSERT_TRUE(Start(Model::WrenV3, "Chinese"));
    WithOptions([&](COptionsDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("可选功能"));
        EXPECT_EQ(qobject_cast<QComboBox*>(dialog.Control(1119))->currentText(),
                  QStringLiteral("自动"));
        QStringList labels;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            labels << label->text();
        }
        EXPECT_TRUE(labels.contains(QStringLiteral("声控灵敏度")));
    });
    ASSERT_TRUE(Start(Model::Wren, "Chinese"));
    WithOptions([&](COptionsDlg& dialog) {
        EXPECT_EQ(qobject_cast<QComboBox*>(dialog.Control(1119))->currentText(),
                  QStringLiteral("Auto"));
    });
}

// Every label, list and box shows its whole text inside the dialog.
class OptionsLayoutTest : public ProgrammerTest,
                          public ::testing::WithParamInterface<std::tuple<Model, const char*>> {};

TEST_P(OptionsLayoutTest, NothingIsCutOff) {
    ASSERT_TRUE(Start(std::get<0>(GetParam()), std::get<1>(GetParam())));
    COptionsDlg dialog(App(), Frame());
    const QRect inside = dialog.rect();
    std::vector<QRect> taken;
    for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) {
            continue;
        }
        const QRect r = child->geometry();
        EXPECT_TRUE(inside.contains(r)) << child->metaObject()->className();
        EXPECT_GE(r.width(), child->sizeHint().width())
            << child->metaObject()->className() << " " << child->objectName().toStdString();
        for (const QRect& other : taken) {
            EXPECT_FALSE(r.intersects(other)) << child->objectName().toStdString();
        }
        taken.push_back(r);
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllProgrammers, OptionsLayoutTest,
    ::testing::Combine(::testing::Values(Model::Lark, Model::Wren, Model::WrenV2, Model::WrenV3),
                       ::testing::Values("English", "Chinese")),
    [](const ::testing::TestParamInfo<std::tuple<Model, const char*>>& info) {
        return std::string(radio::VariantFor(std::get<0>(info.param)).programName) +
               std::get<1>(info.param);
    });

TEST_F(SettingsDialogsTest, NewScanInformationShowsTheDefaults) {
    ASSERT_TRUE(Start(Model::Lark));
    WithScan([&](CScanInfoDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Scan Infomation"));
        EXPECT_EQ(dialog.PriorityBox()->currentText(), QStringLiteral("None"));
        EXPECT_EQ(dialog.ChannelEdit()->text(), QString());
        EXPECT_FALSE(dialog.ChannelEdit()->isEnabled());
        EXPECT_EQ(dialog.LookBackEdit(0)->text(), QStringLiteral("0.9"));
        EXPECT_EQ(dialog.LookBackEdit(1)->text(), QStringLiteral("1.5"));
        EXPECT_FALSE(dialog.LookBackEdit(0)->isEnabled());
        EXPECT_FALSE(dialog.LookBackSpin(1)->isEnabled());
        EXPECT_EQ(dialog.RevertBox()->count(), 2);
        EXPECT_EQ(dialog.RevertBox()->currentIndex(), -1);
        EXPECT_EQ(dialog.TimerEdit(0)->text(), QStringLiteral("48"));
        EXPECT_EQ(dialog.TimerEdit(1)->text(), QStringLiteral("48"));
    });
}

TEST_F(SettingsDialogsTest, SpinsWrapAndEditsAreCorrectedWhenLeft) {
    ASSERT_TRUE(Start(Model::Lark));
    WithScan([&](CScanInfoDlg& dialog) {
        dialog.PriorityBox()->setCurrentIndex(radio::scan::kFixed);
        EXPECT_TRUE(dialog.LookBackEdit(0)->isEnabled());
        EXPECT_EQ(dialog.RevertBox()->count(), 4);
        EXPECT_EQ(dialog.RevertBox()->currentIndex(), 0);
        QLineEdit* a = dialog.LookBackEdit(0);
        CSpinButton* spin = dialog.LookBackSpin(0);
        const auto spinTo = [&](const char* from, QToolButton* button) {
            a->setText(QString::fromLatin1(from));
            QTest::mouseClick(button, Qt::LeftButton);
            return a->text();
        };
        EXPECT_EQ(spinTo("5", spin->UpButton()), QStringLiteral("0.5"));
        EXPECT_EQ(spinTo("0.5", spin->DownButton()), QStringLiteral("5"));
        EXPECT_EQ(spinTo("0.55", spin->DownButton()), QStringLiteral("0.5"));
        EXPECT_EQ(spinTo("0.9", spin->UpButton()), QStringLiteral("0.95"));
        a->setFocus();
        QTest::keyClick(a, Qt::Key_Down);
        EXPECT_EQ(a->text(), QStringLiteral("0.9"));

        QLineEdit* dropout = dialog.TimerEdit(0);
        dropout->setText(QStringLiteral("300"));
        QTest::mouseClick(dialog.TimerSpin(0)->UpButton(), Qt::LeftButton);
        EXPECT_EQ(dropout->text(), QStringLiteral("0"));
        QTest::mouseClick(dialog.TimerSpin(0)->DownButton(), Qt::LeftButton);
        EXPECT_EQ(dropout->text(), QStringLiteral("300"));

        Type(a, QStringLiteral("7"));
        Leave(a);
        EXPECT_EQ(a->text(), QStringLiteral("5"));
        Type(a, QStringLiteral("0.57"));
        Leave(a);
        EXPECT_EQ(a->text(), QStringLiteral("0.55"));
        Type(dropout, QStringLiteral("1000"));
        Leave(dropout);
        EXPECT_EQ(dropout->text(), QStringLiteral("300"));
    });
}

TEST_F(SettingsDialogsTest, OkStoresEveryFieldAndReopeningShowsThem) {
    ASSERT_TRUE(Start(Model::Lark));
    ProgramChannel(3);
    WithScan([&](CScanInfoDlg& dialog) {
        dialog.PriorityBox()->setCurrentIndex(radio::scan::kFixed);
        Type(dialog.ChannelEdit(), QStringLiteral("3"));
        dialog.LookBackEdit(0)->setText(QStringLiteral("0.5"));
        dialog.LookBackEdit(1)->setText(QStringLiteral("5.0"));
        dialog.RevertBox()->setCurrentIndex(3);
        dialog.TimerEdit(0)->setText(QStringLiteral("258"));
        dialog.TimerEdit(1)->setText(QStringLiteral("0"));
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    });
    const radio::Image& image = Image();
    EXPECT_EQ(image[0x160], 1);
    EXPECT_EQ(image[0x161], 3);
    EXPECT_EQ(image[0x162], 1);
    EXPECT_EQ(image[0x163], 91);
    EXPECT_EQ(image[0x164], 3);
    EXPECT_EQ(image[0x165], 0x02);
    EXPECT_EQ(image[0x166], 0x01);
    EXPECT_EQ(image[0x167], 0);
    EXPECT_EQ(image[0x168], 0);
    EXPECT_TRUE(Document()->IsModified());

    WithScan([&](CScanInfoDlg& dialog) {
        EXPECT_EQ(dialog.ChannelEdit()->text(), QStringLiteral(" 3"));
        EXPECT_EQ(dialog.LookBackEdit(1)->text(), QStringLiteral("5"));
        EXPECT_EQ(dialog.RevertBox()->currentText(), QStringLiteral("Priority+Talk back"));
        // Selected with "Priority+Talk back" is 3 as well.
        dialog.PriorityBox()->setCurrentIndex(radio::scan::kSelected);
        EXPECT_FALSE(dialog.ChannelEdit()->isEnabled());
        dialog.RevertBox()->setCurrentIndex(1);
        dialog.LookBackEdit(0)->setText(QStringLiteral("0.55"));
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    EXPECT_EQ(image[0x160], 2);
    EXPECT_EQ(image[0x161], 3); // kept: written only for Fixed
    EXPECT_EQ(image[0x162], 2);
    EXPECT_EQ(image[0x164], 3);
    WithScan([&](CScanInfoDlg& dialog) {
        EXPECT_EQ(dialog.RevertBox()->currentText(), QStringLiteral("Priority+Talk back"));
        EXPECT_EQ(dialog.RevertBox()->count(), 2);
    });
}

TEST_F(SettingsDialogsTest, FixedPriorityNeedsAProgrammedChannel) {
    ASSERT_TRUE(Start(Model::Lark, "Chinese"));
    ProgramChannel(2);
    // The command brings the grid into the image first.
    View()->GridToImage();
    const radio::Image before = Image();
    for (const char* channel : {"5", "17", "x", ""}) {
        m_messages.clear();
        WithScan([&](CScanInfoDlg& dialog) {
            dialog.PriorityBox()->setCurrentIndex(radio::scan::kFixed);
            Type(dialog.ChannelEdit(), QString::fromLatin1(channel));
            QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
            EXPECT_TRUE(dialog.isVisible()) << channel;
        });
        ASSERT_EQ(m_messages.size(), 1u) << channel;
        EXPECT_EQ(m_messages[0].text, "请选择已输入的信道");
        EXPECT_EQ(m_messages[0].buttons, radio::MessageButtons::Ok);
        EXPECT_EQ(Image(), before) << channel;
    }
    m_messages.clear();
    WithScan([&](CScanInfoDlg& dialog) {
        dialog.PriorityBox()->setCurrentIndex(radio::scan::kFixed);
        Type(dialog.ChannelEdit(), QStringLiteral("2"));
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(Image()[0x161], 2);
}

TEST_F(SettingsDialogsTest, OkCorrectsWhatIsStillInAnEdit) {
    ASSERT_TRUE(Start(Model::Lark));
    ProgramChannel(1);
    WithScan([&](CScanInfoDlg& dialog) {
        dialog.PriorityBox()->setCurrentIndex(radio::scan::kFixed);
        Type(dialog.ChannelEdit(), QStringLiteral("1"));
        Type(dialog.TimerEdit(1), QStringLiteral("999"));
        Type(dialog.LookBackEdit(0), QStringLiteral("7"));
        // Enter in the edit presses OK without leaving it.
        QTest::keyClick(dialog.LookBackEdit(0), Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(Image()[0x162], 91);
    EXPECT_EQ(Image()[0x167] | (Image()[0x168] << 8), 300);
}

TEST_F(SettingsDialogsTest, AnEditWithoutANumberIsRefusedAndNothingStored) {
    ASSERT_TRUE(Start(Model::Lark));
    View()->GridToImage();
    const radio::Image before = Image();
    WithScan([&](CScanInfoDlg& dialog) {
        dialog.TimerEdit(0)->setText(QString());
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
    });
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, "Please enter an integer.");
    EXPECT_EQ(Image(), before);
}

} // namespace
