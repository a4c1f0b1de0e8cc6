// Start-up with the command-line cases and the main window's placement.
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <wx/display.h>
#include <wx/filefn.h>

#include "app/ids.h"
#include "app/settings_table.h"
#include "shell_fixture.h"

namespace {

const Shown CANNOT_OPEN{
    "Error", L"El archivo especificado no existe \no no tiene permiso para acceder a el"};

TEST_F(ShellTest, StartsWithNoSettingsAndOneEmptyEditor) {
    start();
    ASSERT_EQ(editors().size(), 1u);
    EXPECT_EQ(main->editor_count(), 1);
    EXPECT_EQ(active()->GetTitle(), "nuevo");
    EXPECT_EQ(main->GetTitle(), "ZQE");
    EXPECT_TRUE(q->shown.empty());
    const wxSize screen = wxGetDisplaySize();
    EXPECT_EQ(main->GetSize(), wxSize(screen.GetWidth() * 8 / 10, screen.GetHeight() * 8 / 10));
    EXPECT_FALSE(main->tool_bar()->GetToolEnabled(ID_GUARDAR));
    EXPECT_FALSE(main->tool_bar()->GetToolEnabled(ID_TERMINAR));
    EXPECT_TRUE(main->tool_bar()->GetToolEnabled(ID_COMPILAR));
    EXPECT_EQ(main->tool_bar()->GetToolsCount(), 22u);
}

TEST_F(ShellTest, StartsWithTheFileOfItsOneArgument) {
    const std::string path = write_file("uno.zq", "programa uno\ninicio\nfin\n");
    start({path});
    ASSERT_EQ(editors().size(), 1u);
    EXPECT_EQ(active()->name, path);
    EXPECT_EQ(active()->GetTitle(), path);
    EXPECT_EQ(active()->editor()->GetText(), "programa uno\ninicio\nfin\n");
    EXPECT_FALSE(active()->editor()->IsModified());
    EXPECT_TRUE(main->isOpen(path));
    EXPECT_EQ(main->GetStatusBar()->GetStatusText(1), path);
}

TEST_F(ShellTest, ResolvesARelativeArgumentAgainstTheWorkingDirectory) {
    write_file("rel.zq", "fin\n");
    const wxString cwd = wxGetCwd();
    wxSetWorkingDirectory(dir);
    start({"rel.zq"});
    wxSetWorkingDirectory(cwd);
    EXPECT_EQ(active()->name, dir + "/rel.zq");
}

TEST_F(ShellTest, StartsWithAnEmptyEditorAfterAMissingFile) {
    start({dir + "/falta.zq"});
    EXPECT_EQ(q->shown, std::vector<Shown>{CANNOT_OPEN});
    ASSERT_TRUE(wait_until([&] { return editors().size() == 1; }));
    EXPECT_EQ(main->editor_count(), 1);
    EXPECT_EQ(active()->GetTitle(), "nuevo");
    EXPECT_TRUE(active()->name.empty());
}

TEST_F(ShellTest, OpensNothingWithTwoOrMoreArguments) {
    const std::string a = write_file("a.zq", "a"), b = write_file("b.zq", "b");
    start({a, b});
    EXPECT_EQ(editors().size(), 1u);
    EXPECT_EQ(active()->GetTitle(), "nuevo");
    EXPECT_FALSE(main->isOpen(a));
}

TEST_F(ShellTest, RefusesFilesThatCannotBeWritten) {
    std::vector<std::string> unwritable = {"/proc/sys/kernel/ostype"};
    if (geteuid() != 0) {
        unwritable.push_back(write_file("ro.zq", "x"));
        chmod(unwritable.back().c_str(), 0444);
    }
    start();
    for (const std::string& path : unwritable) {
        q->shown.clear();
        EXPECT_FALSE(main->DoOpen(path)) << path;
        EXPECT_EQ(q->shown, std::vector<Shown>{CANNOT_OPEN});
        EXPECT_TRUE(wait_until([&] { return editors().size() == 1; }));
        EXPECT_FALSE(main->isOpen(path));
    }
}

TEST_F(ShellTest, OneFileReachedByTwoSpellingsIsOpenedOnce) {
    const std::string path = write_file("x.zq", "x");
    start({path});
    q->shown.clear();
    EXPECT_FALSE(main->DoOpen(dir + "/./otro/../x.zq"));
    EXPECT_EQ(q->shown, (std::vector<Shown>{{L"Atención", "El archivo ya esta abierto"}}));
    EXPECT_EQ(editors().size(), 1u);
}

TEST_F(ShellTest, OpeningReusesAnEmptyUnnamedEditorOnly) {
    const std::string a = write_file("a.zq", "a"), b = write_file("b.zq", "b");
    start();
    ChildFrame* empty = active();
    ASSERT_TRUE(main->DoOpen(a));
    EXPECT_EQ(active(), empty);
    ASSERT_TRUE(main->DoOpen(b));
    EXPECT_EQ(editors().size(), 2u);
    EXPECT_EQ(active()->name, b);
    EXPECT_EQ(active()->GetTitle(), b);
}

TEST_F(ShellTest, PlacesTheWindowFromTheSettingsFile) {
    std::ofstream(home() + "/zqe2.ini")
        << "[VENTANAS]\nMAINWIN_MAX=0\nMAINWIN_WIDTH=500\nMAINWIN_HEIGHT=400\nMAINWIN_X=-1\n"
           "MAINWIN_Y=30\n[FIN]\n[VER]\nZOOM=3\nNUMEROLINEA=0\n[FIN]\n";
    start();
    EXPECT_EQ(main->GetSize(), wxSize(500, 400));
    EXPECT_EQ(main->GetPosition().x, 0);
    EXPECT_EQ(main->zoom(), 3);
    EXPECT_EQ(active()->editor()->GetZoom(), 3);
    EXPECT_FALSE(active()->editor()->line_numbers_shown());
    EXPECT_EQ(opcion("WATCHLIST"), "1");
}

}  // namespace

namespace {

TEST_F(ShellTest, AMaximisedWindowStillTakesItsStoredPlace) {
    std::ofstream(home() + "/zqe2.ini")
        << "[VENTANAS]\nMAINWIN_MAX=1\nMAINWIN_WIDTH=500\n"
           "MAINWIN_HEIGHT=400\nMAINWIN_X=10\nMAINWIN_Y=20\n[FIN]\n";
    start();
    EXPECT_TRUE(main->IsMaximized());
    EXPECT_NE(main->GetSize(), wxSize(500, 400));
}

TEST_F(ShellTest, NumbersUseAPointAfterStartUp) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", 2.5);
    EXPECT_STREQ(buf, "2.5");
}

TEST_F(ShellTest, StatusBarShowsTheCaretPosition) {
    start();
    mytext* text = active()->editor();
    text->SetText("uno\ndos tres\n");
    text->GotoPos(text->PositionFromLine(1) + 4);
    EXPECT_TRUE(wait_until(
        [&] { return main->GetStatusBar()->GetStatusText(0) == "Linea: 2   Columna: 4"; }));
}

TEST_F(ShellTest, RecentFilesMenuListsTheLastFiveNewestFirst) {
    start();
    std::vector<std::string> paths;
    for (int i = 1; i <= 6; ++i) {
        paths.push_back(write_file("f" + std::to_string(i) + ".zq", "x"));
        ASSERT_TRUE(main->DoOpen(paths.back()));
    }
    wxMenuBar* menus = active()->menus();
    EXPECT_EQ(menus->GetMenu(0)->GetMenuItemCount(), 14u + 5u);
    EXPECT_EQ(menus->GetLabel(ID_RECENT_FILE + 1), "&1 " + paths[5]);
    EXPECT_EQ(menus->GetLabel(ID_RECENT_FILE + 5), "&5 " + paths[1]);
    EXPECT_EQ(menus->FindItem(ID_RECENT_FILE + 1)->GetHelp(), "Abrir el archivo " + paths[5]);
    // Choosing an entry from an editor's menu opens it through the main window.
    for (ChildFrame* c : editors())
        if (c->name == paths[3]) c->salir_sin_verificar();
    ASSERT_TRUE(wait_until([&] { return !main->isOpen(paths[3]); }));
    command(active(), ID_RECENT_FILE + 3);

    EXPECT_TRUE(main->isOpen(paths[3]));
    EXPECT_EQ(active()->menus()->GetLabel(ID_RECENT_FILE + 1), "&1 " + paths[3]);
    EXPECT_EQ(active()->menus()->GetLabel(ID_RECENT_FILE + 2), "&2 " + paths[5]);
}

}  // namespace

namespace {

TEST_F(ShellTest, MessagesWithHelpGoThroughTheQuestioner) {
    desplegar_msg_con_ayuda("Atenci\xF3n", "No existe el archivo de entrada");
    desplegar_msg_con_ayuda("Error", "Ruta inv\xC3\xA1lida");
    EXPECT_EQ(q->shown, (std::vector<Shown>{{L"Atención", "No existe el archivo de entrada"},
                                            {"Error", L"Ruta inválida"}}));
}

}  // namespace
