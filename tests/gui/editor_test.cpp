// The editor window and its control: routing of commands, save state, encodings, saving,
// margins, indentation and the markers with the current-line handshake.
#include <thread>

#include "app/ids.h"
#include "shell_fixture.h"

namespace {

TEST_F(ShellTest, CommandsAreRoutedBetweenTheMainWindowAndTheActiveEditor) {
    const std::string path = write_file("r.zq", "uno\ndos\n");
    start({path});
    mytext* text = active()->editor();
    type("x");
    // A tool click on Guardar reaches the main window and is handed to the active editor.
    command(main, ID_GUARDAR);
    EXPECT_EQ(read_file(path), "xuno\ndos\n");
    EXPECT_FALSE(text->IsModified());
    // Zoom is the main window's, wherever the command comes from.
    command(main, ID_ZOOM_IN);
    command(active(), ID_ZOOM_IN);
    EXPECT_EQ(main->zoom(), 3);
    EXPECT_EQ(text->GetZoom(), 3);
    command(main, ID_ZOOM_OUT);
    EXPECT_EQ(main->zoom(), 2);
    // Edit commands from the main window act on the editor.
    command(main, ID_SELECT_ALL);
    EXPECT_EQ(text->GetSelectionEnd() - text->GetSelectionStart(), text->GetLength());
    // "Nuevo" from an editor's menu is the main window's.
    command(active(), ID_NUEVO);
    EXPECT_EQ(main->editor_count(), 2);
    EXPECT_EQ(active()->GetTitle(), "nuevo");
    // A command no editor handles comes back without looping.
    command(main, ID_GOTO_LINE);
    EXPECT_TRUE(q->shown.empty());
}

TEST_F(ShellTest, GuardarFollowsTheSavePoint) {
    const std::string path = write_file("g.zq", "fin\n");
    start({path});
    wxToolBar* tools = main->tool_bar();
    EXPECT_FALSE(tools->GetToolEnabled(ID_GUARDAR));
    type("x");
    EXPECT_TRUE(tools->GetToolEnabled(ID_GUARDAR));
    EXPECT_TRUE(active()->menus()->IsEnabled(ID_GUARDAR));
    EXPECT_TRUE(tools->GetToolEnabled(ID_DESHACER));
    command(main, ID_DESHACER);
    EXPECT_FALSE(tools->GetToolEnabled(ID_GUARDAR));
    EXPECT_FALSE(active()->editor()->CanUndo());  // the load itself is not undoable
    EXPECT_EQ(active()->editor()->GetText(), "fin\n");
}

TEST_F(ShellTest, FilesKeepTheirBytesAndEncodingWhenSaved) {
    struct Case {
        std::string bytes, typed_result;
    };
    const Case cases[] = {
        {"programa a\xF1o\r\n// \xE9\n", "\xF1programa a\xF1o\r\n// \xE9\n"},
        {"programa a\xC3\xB1o\n", "\xC3\xB1programa a\xC3\xB1o\n"},
        {std::string("nul\0byte", 8), std::string("\xF1nul\0byte", 9)},
    };
    start();
    int n = 0;
    for (const Case& c : cases) {
        const std::string path = write_file("e" + std::to_string(n++) + ".zq", c.bytes);
        ASSERT_TRUE(main->DoOpen(path));
        mytext* text = active()->editor();
        text->SaveFile(path);
        EXPECT_EQ(read_file(path), c.bytes);
        text->AddText(L"ñ");
        text->SaveFile(path);
        EXPECT_EQ(read_file(path), c.typed_result);
    }
}

TEST_F(ShellTest, NewTextsAreSavedAsLatin1UnlessLatin1CannotHoldThem) {
    start();
    const std::string path = dir + "/n.zq";
    type(L"año");
    active()->editor()->SaveFile(path);
    EXPECT_EQ(read_file(path), "a\xF1o");
    type(L" €");
    active()->editor()->SaveFile(path);
    EXPECT_EQ(read_file(path), "a\xC3\xB1o \xE2\x82\xAC");
}

TEST_F(ShellTest, AFailedSaveSaysSoAndKeepsTheTextModified) {
    start();
    type("x");
    const std::string path = dir + "/no/existe.zq";
    active()->editor()->SaveFile(path);
    EXPECT_EQ(q->shown,
              (std::vector<Shown>{{"Error", "No se pudo crear el archivo `" + path + "'"}}));
    EXPECT_TRUE(active()->editor()->IsModified());
    EXPECT_TRUE(active()->editor()->getFileName().empty());
}

TEST_F(ShellTest, SaveAsOntoAFileOpenElsewhereClosesThatWindow) {
    const std::string a = write_file("a.zq", "a"), b = write_file("b.zq", "b");
    start({a});
    wxWeakRef<ChildFrame> first(active());
    ASSERT_TRUE(main->DoOpen(b));
    ChildFrame* second = active();
    q->files = {a};
    q->answers = {wxYES};
    command(main, ID_GUARDAR_COMO);
    EXPECT_EQ(q->shown,
              (std::vector<Shown>{
                  {L"Atención!", L"Ya existe un archivo con este nombre , ¿desea reemplazarlo?"}}));
    ASSERT_TRUE(wait_until([&] { return !first; }));
    EXPECT_EQ(main->editor_count(), 1);
    EXPECT_EQ(second->GetTitle(), a);
    EXPECT_EQ(read_file(a), "b");
    EXPECT_EQ(main->open_editor(a), second);
    EXPECT_FALSE(main->isOpen(b));

    // Under its own name the window stays and remains registered.
    q->files = {a};
    q->answers = {wxYES};
    command(main, ID_GUARDAR_COMO);
    EXPECT_EQ(main->editor_count(), 1);
    EXPECT_EQ(main->open_editor(a), second);
}

TEST_F(ShellTest, LineNumberMarginGrowsWithTheLineCount) {
    start();
    mytext* text = active()->editor();
    ASSERT_TRUE(text->line_numbers_shown());
    struct Case {
        int lines, width;
    };
    for (const Case& c : {Case{1, 30}, Case{999, 30}, Case{1000, 40}, Case{10000, 50}}) {
        text->ClearAll();
        text->AddText(wxString('\n', c.lines - 1));
        EXPECT_EQ(text->GetMarginWidth(0), c.width) << c.lines;
    }
    command(active(), ID_LINE_NUMBER);
    EXPECT_EQ(text->GetMarginWidth(0), 0);
}

TEST_F(ShellTest, ViewTogglesReachEveryEditor) {
    start();
    command(main, ID_NUEVO);
    command(active(), ID_LINE_NUMBER);
    command(active(), ID_INDENT_GUIDES);
    for (ChildFrame* c : editors()) {
        EXPECT_FALSE(c->editor()->line_numbers_shown());
        EXPECT_EQ(c->editor()->GetIndentationGuides(), wxSTC_IV_NONE);
        EXPECT_FALSE(c->menus()->IsChecked(ID_LINE_NUMBER));
    }
}

TEST_F(ShellTest, IndentsAndUnindentsTheSelectedLines) {
    start();
    mytext* text = active()->editor();
    text->SetText("a\n  b\nc\nd\n");
    // The selection ends at the start of line 2: that line is indented too.
    text->SetSelection(text->PositionFromLine(0), text->PositionFromLine(2));
    command(main, ID_INDENTAR);
    EXPECT_EQ(text->GetLineIndentation(0), 3);
    EXPECT_EQ(text->GetLineIndentation(1), 5);
    EXPECT_EQ(text->GetLineIndentation(2), 3);
    EXPECT_EQ(text->GetLineIndentation(3), 0);
    text->SetSelection(text->PositionFromLine(1), text->PositionFromLine(1));
    command(main, ID_DESINDENTAR);
    command(main, ID_DESINDENTAR);
    EXPECT_EQ(text->GetLineIndentation(1), 0);
    EXPECT_EQ(text->GetLineIndentation(0), 3);
}

TEST_F(ShellTest, BreakpointMarkersAreCounted) {
    start();
    mytext* text = active()->editor();
    text->SetText("a\nb\nc\n");
    text->AddBreakPoint(1);
    text->AddBreakPoint(1);
    text->DelBreakPoint(1);
    EXPECT_EQ(text->BreakPointCount(), 1);
    EXPECT_FALSE(text->isMarked(1));
    text->AddBreakPoint(2);
    EXPECT_TRUE(text->isMarked(2));
}

// Shows a line from another thread, as the interpreter thread does, and waits for it.
void show_line_from_thread(mytext* text, int line) {
    bool done = false;
    std::thread worker([&] {
        text->ShowLine(line);
        done = true;
    });
    const bool finished = wait_until([&] { return done; });
    worker.join();
    EXPECT_TRUE(finished);
}

TEST_F(ShellTest, CurrentLineHandshakeWithTheInterpreterThread) {
    const std::string path = write_file("l.zq", std::string(20, '\n'));
    start({path});
    mytext* text = active()->editor();
    const auto exec_lines = [&] {
        std::vector<int> lines;
        for (int l = text->MarkerNext(0, 1 << MARKER_EXEC_LINE); l != -1;
             l = text->MarkerNext(l + 1, 1 << MARKER_EXEC_LINE))
            lines.push_back(l);
        return lines;
    };
    show_line_from_thread(text, 5);
    EXPECT_EQ(exec_lines(), std::vector<int>{5});
    EXPECT_EQ(text->LineFromPosition(text->GetCurrentPos()), 5);
    EXPECT_FALSE(text->IsModified());
    show_line_from_thread(text, 9);
    EXPECT_EQ(exec_lines(), std::vector<int>{9});
    show_line_from_thread(text, -1);
    EXPECT_TRUE(exec_lines().empty());
    EXPECT_FALSE(wxGetApp().gui_wait);
    // On the GUI thread the same work is done without releasing anyone.
    text->ShowErrorLine(3);
    text->HideLastLine();
    EXPECT_TRUE(text->MarkerGet(3) & (1 << MARKER_ERROR_LINE));
}

}  // namespace

namespace {

TEST_F(ShellTest, TypingIntoARunningProgramsTextAsksAndChangesNothing) {
    start();
    mytext* text = active()->editor();
    text->SetText("fin");
    text->SetReadOnly(true);
    q->answers = {wxNO};
    text->AddText("x");
    EXPECT_EQ(q->shown, (std::vector<Shown>{{"Mensaje",
                                             L"El fuente no puede ser modificado mientras se "
                                             L"esta ejecutando, \nDetener la ejecución?"}}));
    EXPECT_EQ(text->GetText(), "fin");
}

}  // namespace
