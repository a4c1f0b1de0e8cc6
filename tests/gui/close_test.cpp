// The questions of closing editor windows and the main window, and the editor count after.
#include <fstream>

#include "app/ids.h"
#include "shell_fixture.h"

namespace {

const wxString MODIFIED_TAIL = L" ha sido modificado,\n Guardar los cambios antes de salir?";

TEST_F(ShellTest, ClosingAnEmptyNewEditorAsksNothingAndLeavesANewOne) {
    start();
    ChildFrame* first = active();
    wxWeakRef<ChildFrame> ref(first);
    command(main, ID_CERRAR);
    ASSERT_TRUE(wait_until([&] { return !ref && editors().size() == 1; }));
    EXPECT_TRUE(q->shown.empty());
    EXPECT_EQ(main->editor_count(), 1);
    EXPECT_EQ(active()->GetTitle(), "nuevo");
}

// Closing a window that shows an unmodified file asks for confirmation.
TEST_F(ShellTest, ClosingAnUnmodifiedFileAsksToConfirm) {
    for (const int answer : {wxNO, wxYES}) {
        const std::string path = write_file("c.zq", "fin\n");
        start({path});
        wxWeakRef<ChildFrame> ref(active());
        q->answers = {answer};
        command(main, ID_CERRAR);
        EXPECT_EQ(q->shown,
                  (std::vector<Shown>{{"Confirmar", L"¿Seguro que desea cerrar " + path + "?"}}));
        EXPECT_EQ(wait_until([&] { return !ref; }, answer == wxYES ? 5000 : 200), answer == wxYES);
        EXPECT_EQ(main->editor_count(), 1);
        EXPECT_EQ(main->isOpen(path), answer == wxNO);
        TearDown();
        SetUp();
    }
}

struct ModifiedCase {
    int answer;
    bool closes;
    std::string on_disk;
};

TEST_F(ShellTest, ClosingAModifiedFileAsksToSave) {
    const ModifiedCase cases[] = {
        {wxNO, true, "fin\n"}, {wxYES, true, "xfin\n"}, {wxCANCEL, false, "fin\n"}};
    for (const ModifiedCase& c : cases) {
        const std::string path = write_file("m.zq", "fin\n");
        start({path});
        type("x");
        wxWeakRef<ChildFrame> ref(active());
        q->answers = {c.answer};
        command(main, ID_CERRAR);
        EXPECT_EQ(q->shown,
                  (std::vector<Shown>{{L"Atención", "El archivo " + path + MODIFIED_TAIL}}))
            << c.answer;
        EXPECT_EQ(wait_until([&] { return !ref; }, c.closes ? 5000 : 200), c.closes);
        EXPECT_EQ(read_file(path), c.on_disk);
        EXPECT_EQ(main->editor_count(), 1);
        TearDown();
        SetUp();
    }
}

TEST_F(ShellTest, TitleBarCloseOfAModifiedWindowDropsTheCountByOne) {
    const std::string a = write_file("a.zq", "a"), b = write_file("b.zq", "b");
    start({a});
    ASSERT_TRUE(main->DoOpen(b));
    type("x");
    wxWeakRef<ChildFrame> ref(active());
    q->answers = {wxNO};
    active()->Close(false);
    ASSERT_TRUE(wait_until([&] { return !ref; }));
    EXPECT_EQ(q->shown.size(), 1u);
    EXPECT_EQ(main->editor_count(), 1);
    EXPECT_EQ(editors().size(), 1u);
    EXPECT_EQ(editors()[0]->name, a);
    EXPECT_EQ(read_file(b), "b");
}

TEST_F(ShellTest, ACancelledCloseAsksAgainNextTime) {
    const std::string path = write_file("m.zq", "fin\n");
    start({path});
    type("x");
    ChildFrame* child = active();
    q->answers = {wxCANCEL};
    EXPECT_FALSE(child->Close(false));
    q->answers = {wxCANCEL};
    EXPECT_FALSE(child->Close(false));
    EXPECT_EQ(q->shown.size(), 2u);
    EXPECT_TRUE(child->editor()->IsModified());
}

TEST_F(ShellTest, SavingANewTextAsksForANameAndCancellingKeepsTheWindow) {
    start();
    type("programa nuevo");
    wxWeakRef<ChildFrame> ref(active());
    q->answers = {wxYES};
    command(main, ID_CERRAR);
    EXPECT_EQ(q->file_dialogs, 1);
    EXPECT_TRUE(ref);
    EXPECT_EQ(main->editor_count(), 1);

    const std::string path = dir + "/nuevo.zq";
    q->answers = {wxYES};
    q->files = {path};
    command(main, ID_CERRAR);
    ASSERT_TRUE(wait_until([&] { return !ref; }));
    EXPECT_EQ(read_file(path), "programa nuevo");
}

TEST_F(ShellTest, ClosingTheMainWindowWritesSettingsEvenWhenCancelled) {
    const std::string path = write_file("m.zq", "fin\n");
    start({path});
    type("x");
    q->answers = {wxCANCEL};
    close_main();
    EXPECT_FALSE(main_gone());
    EXPECT_FALSE(main->is_closing());
    EXPECT_NE(settings_text().find("[ARCHIVOS RECIENTES]\n" + path + "\n[FIN]\n"),
              std::string::npos);
    q->answers = {wxNO};
    close_main();
    EXPECT_TRUE(wait_until([&] { return main_gone(); }));
    EXPECT_EQ(read_file(path), "fin\n");
}

TEST_F(ShellTest, SettingsWrittenOnCloseAreAppliedAtTheNextStart) {
    const std::string path = write_file("r.zq", "fin\n");
    start({path});
    command(active(), ID_LINE_NUMBER);
    command(active(), ID_ZOOM_IN);
    command(main, ID_ZOOM_IN);
    EXPECT_EQ(main->zoom(), 3);
    main->SetSize(wxSize(600, 500));
    close_main();
    ASSERT_TRUE(main_gone());
    const std::string text = settings_text();
    EXPECT_EQ(text.rfind("[EXPRESIONES DEL WATCHLIST]\n[FIN]\n[FUENTE TEXTO]\n10\n", 0), 0u)
        << text;
    EXPECT_NE(text.find("[VER]\nNUMEROLINEA=0\nINDENTACION=1\nIMPRIMIR_COLOR=1\nZOOM=3\n[FIN]\n"),
              std::string::npos);
    EXPECT_NE(text.find("MAINWIN_WIDTH=600\nMAINWIN_HEIGHT=500\n"), std::string::npos);

    start();
    EXPECT_EQ(main->zoom(), 3);
    EXPECT_EQ(main->GetSize(), wxSize(600, 500));
    EXPECT_FALSE(active()->editor()->line_numbers_shown());
    EXPECT_EQ(main->recent_files().newest(1), path);
    EXPECT_NE(active()->menus()->FindItem(ID_RECENT_FILE + 1), nullptr);
    EXPECT_EQ(active()->menus()->GetLabel(ID_RECENT_FILE + 1), "&1 " + path);
}

}  // namespace
