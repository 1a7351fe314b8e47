#include "app/dialogs/TemperamentsDialog.h"
#include "platform/gui/WindowTesting.h"

#include "app/FileDialogs.h"
#include "app/dialogs/DialogDataExchange.h"
#include "app/dialogs/EditFullTemperamentDialog.h"
#include "app/dialogs/EditTemperamentDialog.h"
#include "gui/app/dialogs/ModalDialogs.h"
#include "platform/gui/MessageBox.h"
#include "resources/Language.h"
#include "state/Protocol.h"
#include "support/TempDir.h"
#include "tuning/CustomScaleManager.h"
#include "tuning/ScalaFile.h"
#include "tuning/ToneScaleCollection.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace tonvela {
namespace {

using test::control;
using test::editText;
using test::whenModal;

DefaultToneScale simple(const std::string& key, const std::string& name) {
    DefaultToneScale scale(key, name, name, 0.0f);
    return scale;
}

FullToneScale full(const std::string& key, const std::string& name) {
    return FullToneScale(key, name, name);
}

class TemperamentsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        overrideLanguage(Language::English);
        scales.emplace();
        store.emplace(*scales);
        DialogDataExchange::setMessageHook(
            [this](QWidget*, const QString& text) { messages.push_back(text.toStdString()); });
        setMessageBoxAnswer([this](const std::string& text, const std::string&, unsigned) {
            questions.push_back(text);
            return answer;
        });
    }
    void TearDown() override {
        DialogDataExchange::setMessageHook(nullptr);
        setMessageBoxAnswer(nullptr);
        setFileDialogAnswer(nullptr);
        resetLanguage();
    }

    // The store holds these temperaments.
    void given(std::vector<DefaultToneScale> simpleOnes, std::vector<FullToneScale> fullOnes) {
        store->setTemperaments(simpleOnes, fullOnes);
    }

    static std::vector<std::string> items(QWidget* dialog, int id) {
        std::vector<std::string> texts;
        auto* list = control<QListWidget>(dialog, id);
        for (int i = 0; list && i < list->count(); ++i)
            texts.push_back(list->item(i)->text().toStdString());
        return texts;
    }

    static void select(QWidget* dialog, int id, std::vector<int> rows) {
        auto* list = control<QListWidget>(dialog, id);
        list->clearSelection();
        for (int row : rows)
            list->item(row)->setSelected(true);
    }

    static void click(QWidget* dialog, int id) {
        QTest::mouseClick(control<QPushButton>(dialog, id), Qt::LeftButton);
    }

    template <typename Scale> static std::vector<std::string> names(const std::vector<Scale>& l) {
        std::vector<std::string> texts;
        for (const Scale& scale : l)
            texts.push_back(scale.getEnglishName());
        return texts;
    }

    std::optional<ToneScaleCollection> scales;
    std::optional<CustomScaleManager> store;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    int answer = IDYES;
};

TEST_F(TemperamentsDialogTest, SimpleEditorValues) {
    struct Case {
        const char* text;
        const char* message; // "" when accepted
        float value;
    };
    const Case cases[] = {
        {"5abc", "", 5.0f},
        {"abc", "Enter a number.", 0.0f},
        {"100", "", 100.0f},
        {"-100", "", -100.0f},
        {"100.5", "Enter a number between -100 and 100.", 0.0f},
    };
    const int editIds[] = {1061, 1068, 1073, 1074}; // C, F#, B and the stretch
    for (int id : editIds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(id) + " " + c.text);
            messages.clear();
            EditTemperamentDialog editor(simple("c_1000", "Test"), -1, nullptr, nullptr);
            control<QLineEdit>(&editor, id)->setText(QString::fromUtf8(c.text));
            editor.accept();
            if (*c.message) {
                ASSERT_EQ(messages.size(), 1u);
                EXPECT_EQ(messages[0], c.message);
                EXPECT_EQ(editor.result(), QDialog::Rejected);
                EXPECT_EQ(editor.focusWidget(), control<QWidget>(&editor, id));
                continue;
            }
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(editor.result(), QDialog::Accepted);
            const float stored = id == 1074   ? editor.scale.getOctaveStretch()
                                 : id == 1061 ? editor.scale.getCents(0)
                                 : id == 1068 ? editor.scale.getCents(6)
                                              : editor.scale.getCents(11);
            EXPECT_EQ(stored, c.value);
        }
    }
}

TEST_F(TemperamentsDialogTest, SimpleEditorShowsTheTemperament) {
    DefaultToneScale scale("c_4711", "Organ", "Organ", 1.5f, -2.25f, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                           12.125f, 0.5f);
    EditTemperamentDialog editor(scale, 0, nullptr, nullptr);
    EXPECT_EQ(editText(&editor, 1060).toStdString(), "Organ");
    EXPECT_EQ(editText(&editor, 1062).toStdString(), "c_4711");
    EXPECT_TRUE(control<QLineEdit>(&editor, 1062)->isReadOnly());
    EXPECT_EQ(editText(&editor, 1061).toStdString(), "1.5");
    EXPECT_EQ(editText(&editor, 1063).toStdString(), "-2.25");
    EXPECT_EQ(editText(&editor, 1064).toStdString(), "0");
    EXPECT_EQ(editText(&editor, 1073).toStdString(), "12.125");
    EXPECT_EQ(editText(&editor, 1074).toStdString(), "0.5");
    editor.accept();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(editor.scale.getKey(), "c_4711");
    EXPECT_EQ(editor.scale.getCents(11), 12.125f);
}

TEST_F(TemperamentsDialogTest, FullEditorRangeAndLayout) {
    FullToneScale scale = full("f_1000", "Full");
    scale.setCents(57, 7.85f);
    scale.setCents(107, -1.0f);
    EditFullTemperamentDialog editor(scale, -1, nullptr, nullptr);
    EXPECT_EQ(editText(&editor, 1120).toStdString(), "7.85");  // A4
    EXPECT_EQ(editText(&editor, 1170).toStdString(), "-1.00"); // B8
    EXPECT_EQ(editText(&editor, 1063).toStdString(), "0.00");  // C0
    struct Case {
        const char* text;
        bool accepted;
    };
    const Case cases[] = {{"-150", true}, {"150", true}, {"-150.01", false}, {"x", false}};
    for (const Case& c : cases) {
        messages.clear();
        EditFullTemperamentDialog again(scale, -1, nullptr, nullptr);
        control<QLineEdit>(&again, 1100)->setText(QString::fromUtf8(c.text));
        again.accept();
        EXPECT_EQ(again.result() == QDialog::Accepted, c.accepted) << c.text;
        EXPECT_EQ(messages.empty(), c.accepted) << c.text;
        if (c.accepted)
            EXPECT_EQ(again.scale.getCents(37), std::stof(c.text));
        else
            EXPECT_EQ(again.focusWidget(), control<QWidget>(&again, 1100));
    }
    EXPECT_EQ(messages.back(), "Enter a number.");
}

TEST_F(TemperamentsDialogTest, NameChecks) {
    given({simple("c_1", "Organ")}, {full("f_2", "Church")});
    struct Case {
        bool fullEditor;
        int editedIndex; // -1: new
        std::string name;
        const char* message; // "" when accepted
        const char* stored;
    };
    const Case cases[] = {
        {false, -1, "organ", "This name is already used.\nPlease choose an other name.", ""},
        {false, -1, "CHURCH", "This name is already used.\nPlease choose an other name.", ""},
        {false, 0, "organ", "", "organ"}, // its own row does not count
        {true, 0, "church ", "", "church"},
        {true, -1, "Church", "This name is already used.\nPlease choose an other name.", ""},
        {true, -1, "Organ", "This name is already used.\nPlease choose an other name.", ""},
        {false, -1, "a;b", "Illegal character ';' in temperament name.", ""},
        {false, -1, "  Test  ", "", "Test"},
        {false, -1, " \t ", "Please specify the name of the temperament", ""},
        {false, -1, std::string(100, 'x'), "", ""},
        {false, -1, std::string(101, 'x'),
         "The name of a temperament may have at most 100 characters.", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        TemperamentsDialog manager(*store, nullptr);
        const int button =
            c.fullEditor ? (c.editedIndex < 0 ? 1027 : 1060) : (c.editedIndex < 0 ? 1026 : 1058);
        if (c.editedIndex >= 0)
            select(&manager, c.fullEditor ? 1059 : 1057, {c.editedIndex});
        const auto work = [&](QDialog* editor) {
            control<QLineEdit>(editor, 1060)->setText(QString::fromStdString(c.name));
            editor->accept();
            if (editor->result() != QDialog::Accepted) {
                EXPECT_EQ(editor->focusWidget(), control<QWidget>(editor, 1060));
                editor->reject();
            }
        };
        if (c.fullEditor)
            whenModal<EditFullTemperamentDialog>(work);
        else
            whenModal<EditTemperamentDialog>(work);
        click(&manager, button);
        if (*c.message) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0], c.message);
        } else {
            EXPECT_TRUE(messages.empty());
        }
        if (*c.stored) {
            const std::vector<std::string> listed = items(&manager, c.fullEditor ? 1059 : 1057);
            EXPECT_NE(std::find(listed.begin(), listed.end(), c.stored), listed.end());
            if (c.editedIndex >= 0) {
                EXPECT_EQ(listed.size(), 1u); // the item was replaced
                EXPECT_EQ(c.fullEditor ? manager.getFullScales()[0].getEnglishName()
                                       : manager.getSimpleScales()[0].getEnglishName(),
                          c.stored);
            }
        }
    }
}

TEST_F(TemperamentsDialogTest, NewTemperamentIsListedSortedAndSelected) {
    given({simple("c_1", "alpha"), simple("c_2", "Gamma")}, {});
    TemperamentsDialog manager(*store, nullptr);
    EXPECT_FALSE(control<QPushButton>(&manager, 1058)->isEnabled());
    EXPECT_FALSE(control<QPushButton>(&manager, 1031)->isEnabled());
    select(&manager, 1057, {0});
    whenModal<EditTemperamentDialog>([](EditTemperamentDialog* editor) {
        EXPECT_EQ(editor->windowTitle().toStdString(), "Edit simple temperament");
        EXPECT_EQ(editText(editor, 1062).left(2).toStdString(), "c_");
        control<QLineEdit>(editor, 1060)->setText(QStringLiteral("Beta"));
        control<QLineEdit>(editor, 1064)->setText(QStringLiteral("-3.5"));
        editor->accept();
    });
    click(&manager, 1026);
    EXPECT_EQ(items(&manager, 1057), (std::vector<std::string>{"alpha", "Beta", "Gamma"}));
    auto* list = control<QListWidget>(&manager, 1057);
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems()[0]->text().toStdString(), "Beta");
    EXPECT_TRUE(control<QPushButton>(&manager, 1058)->isEnabled());
    ASSERT_EQ(manager.getSimpleScales().size(), 3u);
    EXPECT_EQ(manager.getSimpleScales()[2].getCents(2), -3.5f);
    // Two selected: Delete yes, Edit no.
    select(&manager, 1057, {0, 2});
    EXPECT_FALSE(control<QPushButton>(&manager, 1058)->isEnabled());
    EXPECT_TRUE(control<QPushButton>(&manager, 1031)->isEnabled());
}

TEST_F(TemperamentsDialogTest, DeleteAsksOnceForAllSelected) {
    given({simple("c_1", "A"), simple("c_2", "B"), simple("c_3", "C"), simple("c_4", "D")}, {});
    for (const int reply : {IDNO, IDYES}) {
        answer = reply;
        questions.clear();
        TemperamentsDialog manager(*store, nullptr);
        select(&manager, 1057, {0, 2, 3});
        click(&manager, 1031);
        ASSERT_EQ(questions.size(), 1u);
        EXPECT_EQ(questions[0], "Are you sure you want to delete the selected temperaments?");
        if (reply == IDNO) {
            EXPECT_EQ(items(&manager, 1057).size(), 4u);
            EXPECT_EQ(manager.getSimpleScales().size(), 4u);
        } else {
            EXPECT_EQ(items(&manager, 1057), std::vector<std::string>{"B"});
            EXPECT_EQ(names(manager.getSimpleScales()), std::vector<std::string>{"B"});
            EXPECT_FALSE(control<QPushButton>(&manager, 1031)->isEnabled());
        }
    }
}

TEST_F(TemperamentsDialogTest, ProtocolOfferedAsFullTemperament) {
    Protocol protocol;
    protocol.setFrequency(57, 442.0f, true);
    TemperamentsDialog manager(*store, nullptr);
    manager.setProtocol(&protocol);
    std::vector<std::string> shown;
    whenModal<EditFullTemperamentDialog>([&shown](EditFullTemperamentDialog* editor) {
        for (int n = 0; n < 108; ++n)
            shown.push_back(editText(editor, 1063 + n).toStdString());
        control<QLineEdit>(editor, 1060)->setText(QStringLiteral("Measured"));
        editor->accept();
        QWidget* manager = editor->parentWidget();
        QMetaObject::invokeMethod(
            manager, [manager] { static_cast<QDialog*>(manager)->accept(); }, Qt::QueuedConnection);
    });
    manager.exec();
    ASSERT_EQ(shown.size(), 108u);
    for (int n = 0; n < 108; ++n)
        EXPECT_EQ(shown[n], n == 57 ? "7.85" : "0.00") << n;
    ASSERT_EQ(manager.getFullScales().size(), 1u);
    EXPECT_EQ(manager.getFullScales()[0].getEnglishName(), "Measured");
    EXPECT_EQ(items(&manager, 1059), std::vector<std::string>{"Measured"});
    // Only once.
    manager.offerProtocol();
    EXPECT_EQ(manager.getFullScales().size(), 1u);
}

TEST_F(TemperamentsDialogTest, ScalaImportOpensTheEditorOnTheScale) {
    given({simple("c_1", "Organ")}, {});
    setFileDialogAnswer([](bool save) {
        EXPECT_FALSE(save);
        return std::string(TONVELA_TEST_DATA) + "/scala/just12.scl";
    });
    TemperamentsDialog manager(*store, nullptr);
    std::vector<std::string> shown;
    whenModal<EditTemperamentDialog>([&shown](EditTemperamentDialog* editor) {
        for (int id : {1060, 1061, 1063, 1066, 1072, 1074})
            shown.push_back(editText(editor, id).toStdString());
        editor->accept();
    });
    click(&manager, TemperamentsDialog::IMPORT_SCALA_ID);
    EXPECT_EQ(shown, (std::vector<std::string>{"Five-limit just intonation on C", "0", "11.7313",
                                               "-13.6863", "17.5963", "0"}));
    EXPECT_EQ(items(&manager, 1057),
              (std::vector<std::string>{"Five-limit just intonation on C", "Organ"}));
    ASSERT_EQ(manager.getSimpleScales().size(), 2u);
    EXPECT_NEAR(manager.getSimpleScales()[1].getCents(9), -15.641f, 0.0005f);
    EXPECT_TRUE(messages.empty());
}

TEST_F(TemperamentsDialogTest, ScalaFileThatIsNoScaleChangesNothing) {
    given({simple("c_1", "Organ")}, {});
    test::TempDir dir;
    struct Case {
        std::string content;
        std::string message;
    };
    const Case cases[] = {
        {"! bad.scl\nNegative\n12\n-16/15\n",
         "bad.scl\nLine 4: a ratio must be a positive fraction of whole numbers."},
        {"Seven\n7\n", "bad.scl\nLine 2: the scale has 7 notes per octave; only scales of 12 "
                       "notes can be imported."},
    };
    for (const Case& c : cases) {
        const std::string path = dir.file("bad.scl");
        std::ofstream(path, std::ios::binary) << c.content;
        setFileDialogAnswer([path](bool) { return path; });
        messages.clear();
        TemperamentsDialog manager(*store, nullptr);
        click(&manager, TemperamentsDialog::IMPORT_SCALA_ID);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], c.message);
        EXPECT_EQ(items(&manager, 1057), std::vector<std::string>{"Organ"});
        EXPECT_EQ(manager.getSimpleScales().size(), 1u);
    }
    messages.clear();
    const std::string missing = dir.file("missing.scl");
    setFileDialogAnswer([missing](bool) { return missing; });
    TemperamentsDialog manager(*store, nullptr);
    click(&manager, TemperamentsDialog::IMPORT_SCALA_ID);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], missing + "\nThe file cannot be read.");
}

TEST_F(TemperamentsDialogTest, ScalaExportOfTheSelectedTemperament) {
    DefaultToneScale organ("c_1", "Organ", "Organ", 0, 1.5f, 0, -3, 0, 0, 0, 2, 0, 0, 0, 0, 0.5f);
    given({organ}, {full("f_2", "Church")});
    test::TempDir dir;
    const std::string path = dir.file("organ.scl");
    setFileDialogAnswer([path](bool save) {
        EXPECT_TRUE(save);
        return path;
    });
    TemperamentsDialog manager(*store, nullptr);
    auto* exportButton = control<QPushButton>(&manager, TemperamentsDialog::EXPORT_SCALA_ID);
    EXPECT_FALSE(exportButton->isEnabled());
    select(&manager, 1057, {0});
    select(&manager, 1059, {0});
    EXPECT_FALSE(exportButton->isEnabled()); // one of each: which one?
    control<QListWidget>(&manager, 1059)->clearSelection();
    ASSERT_TRUE(exportButton->isEnabled());
    click(&manager, TemperamentsDialog::EXPORT_SCALA_ID);
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), ScalaFile::format(organ, "organ.scl"));
    const ScalaImport back = ScalaFile::parse(text.str());
    ASSERT_TRUE(back.ok);
    for (int i = 0; i < 12; ++i)
        EXPECT_NEAR(back.scale.getCents(i), organ.getCents(i), 0.0005f) << i;
    EXPECT_NEAR(back.scale.getOctaveStretch(), 0.5f, 0.0005f);

    const std::string unwritable = dir.file("no/such/folder.scl");
    setFileDialogAnswer([unwritable](bool) { return unwritable; });
    click(&manager, TemperamentsDialog::EXPORT_SCALA_ID);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], unwritable + "\nThe file cannot be written.");
}

TEST_F(TemperamentsDialogTest, KeyboardOrderFollowsTheLayout) {
    TemperamentsDialog manager(*store, nullptr);
    // Edit and Delete are disabled while nothing is selected.
    EXPECT_EQ(test::focusOrder(&manager, 1057),
              (std::vector<std::string>{"1057", "1026", "1059", "1027", "5160", "1"}));
    EditTemperamentDialog editor(simple("c_1", "x"), -1, nullptr, nullptr);
    EXPECT_EQ(test::focusOrder(&editor, 1060),
              (std::vector<std::string>{"1060", "1062", "1061", "1063", "1064", "1065", "1066",
                                        "1067", "1068", "1069", "1070", "1071", "1072", "1073",
                                        "1074", "1", "2"}));
    EditFullTemperamentDialog fullEditor(full("f_1", "y"), -1, nullptr, nullptr);
    const std::vector<std::string> order = test::focusOrder(&fullEditor, 1060);
    ASSERT_EQ(order.size(), 2u + 108u + 2u);
    for (int n = 0; n < 108; ++n)
        EXPECT_EQ(order[2 + n], std::to_string(1063 + n));
}

TEST_F(TemperamentsDialogTest, GermanTexts) {
    overrideLanguage(Language::German);
    TemperamentsDialog manager(*store, nullptr);
    EXPECT_EQ(manager.windowTitle().toStdString(), "Eigene Stimmungen");
    std::vector<std::string> groups;
    for (QGroupBox* group : manager.findChildren<QGroupBox*>())
        groups.push_back(group->title().toStdString());
    EXPECT_EQ(groups, (std::vector<std::string>{"Einfache Stimmungen", "Vollständige Stimmungen"}));
    EXPECT_EQ(control<QPushButton>(&manager, 1026)->text().toStdString(), "Neu...");
    EXPECT_EQ(control<QPushButton>(&manager, 1060)->text().toStdString(), "Bearbeiten...");
    EXPECT_EQ(control<QPushButton>(&manager, 1032)->text().toStdString(), "Löschen");
    EXPECT_EQ(control<QPushButton>(&manager, 1)->text().toStdString(), "Schliessen");

    EditTemperamentDialog editor(simple("c_1", "x"), -1, nullptr, nullptr);
    EXPECT_EQ(editor.windowTitle().toStdString(), "Einfache Stimmung bearbeiten");
    std::vector<std::string> labels;
    for (QLabel* label : editor.findChildren<QLabel*>())
        labels.push_back(label->text().toStdString());
    for (const char* text : {"Name:", "Id-Nummer:", "cis", "es", "b", "h", "Oktavstreckung:"})
        EXPECT_NE(std::find(labels.begin(), labels.end(), text), labels.end()) << text;
    EditFullTemperamentDialog fullEditor(full("f_1", "y"), -1, nullptr, nullptr);
    EXPECT_EQ(fullEditor.windowTitle().toStdString(), "Vollständige Stimmung bearbeiten");
    messages.clear();
    control<QLineEdit>(&editor, 1060)->setText(QStringLiteral("a;b"));
    editor.accept();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Das Zeichen ';' ist im Namen nicht erlaubt.");
}

} // namespace
} // namespace tonvela
