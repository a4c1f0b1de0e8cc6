// The settings file's text: what is read from hand-edited, truncated or hostile files, and
// that what is written reads back the same.
#include <gtest/gtest.h>

#include "app/settings_file.h"

namespace {

TEST(SettingsFile, ReadsTheDocumentedCases) {
    const SettingsData zoom = parse_settings("[VER]\nZOOM=3\n[FIN]\n");
    ASSERT_EQ(zoom.ver.size(), 1u);
    EXPECT_EQ(zoom.ver[0], (std::pair<std::string, std::string>("ZOOM", "3")));
    EXPECT_FALSE(zoom.text_font);
    EXPECT_TRUE(zoom.recent_files.empty());

    const SettingsData printer = parse_settings("[IMPRESION]\nPRINTERCOMMAND=lpr -P x=y\n[FIN]\n");
    ASSERT_EQ(printer.impresion.size(), 1u);
    EXPECT_EQ(printer.impresion[0].second, "lpr -P x=y");

    const SettingsData recent =
        parse_settings("[ARCHIVOS RECIENTES]\n/a\n/b\n\n/c\n/d\n/e\n/f\n/g\n[FIN]\n");
    EXPECT_EQ(recent.recent_files,
              (std::vector<std::string>{"/a", "/b", "/c", "/d", "/e", "/f", "/g"}));

    const SettingsData font =
        parse_settings("\n\n[FUENTE TEXTO]\n12\n75\n93\n92\nMonospace\n[FIN]\n[VER]\nA=1\n[FIN]");
    ASSERT_TRUE(font.text_font);
    EXPECT_EQ(font.text_font->size, 12);
    EXPECT_EQ(font.text_font->family, 75);
    EXPECT_EQ(font.text_font->weight, 92);
    EXPECT_EQ(font.text_font->face, "Monospace");
    EXPECT_EQ(font.ver.size(), 1u);
}

// Each input stops the reading at a fault; what came before it stays.
TEST(SettingsFile, StopsAtFaultsKeepingWhatCameBefore) {
    struct Case {
        const char* text;
        size_t ver_entries;
        bool text_font;
    };
    const Case cases[] = {
        {"[VER]\nA=1\n[FIN]\n[OTRA]\nB=2\n[FIN]\n[VER]\nC=3\n[FIN]\n", 1, false},
        {"[VER]\nA=1\n[FIN]\n[FUENTE TEXTO]\n10\n72\n90\nxx\ncourier\n[FIN]\n[VER]\nB=2\n[FIN]\n",
         1, false},
        {"[VER]\nA=1\n[FIN]\n[FUENTE TEXTO]\n10\n72\n", 1, false},
        {"[FUENTE TEXTO]\n10\n72\n90\n90\ncourier", 0, true},
        {"[FUENTE TEXTO]\n10\n72\n90\n90\ncourier\n[FIN]\n[VER]", 0, true},
        {"[VER]\nA=1\nB", 1, false},
        {"[VER]\nsin igual\nA=\n[FIN]\n", 1, false},
        {"[VER]\r\nA=1\r\n[FIN]\r\n[VER]\r\nB=2\r\n[FIN]\r\n", 2, false},
        {"", 0, false},
        {"[VER]", 0, false},
    };
    for (const Case& c : cases) {
        const SettingsData d = parse_settings(c.text);
        EXPECT_EQ(d.ver.size(), c.ver_entries) << c.text;
        EXPECT_EQ(d.text_font.has_value(), c.text_font) << c.text;
    }
}

SettingsData sample() {
    SettingsData d;
    d.watch = std::vector<std::string>{"a + 1", "[FIN]", "", "v[2]"};
    d.text_font = FontRecord{10, 72, 90, 90, "courier"};
    d.output_font = FontRecord{11, 72, 90, 90, "courier"};
    d.ver = {{"NUMEROLINEA", "1"}, {"ZOOM", "-2"}};
    d.impresion = {{"PRINTERCOMMAND", "lpr -P x=y"}};
    d.ventanas = {{"MAINWIN_X", "-1"}};
    d.recent_files = {"/home/u/año.zq", "/b.zq"};
    return d;
}

TEST(SettingsFile, WrittenFileReadsBackAndNoValueCutsItShort) {
    const SettingsData read = parse_settings(format_settings(sample()));
    ASSERT_TRUE(read.watch);
    // The expression that looks like the end marker is kept (with a blank the evaluator ignores).
    EXPECT_EQ(*read.watch, (std::vector<std::string>{"a + 1", " [FIN]", "", "v[2]"}));
    ASSERT_TRUE(read.output_font);
    EXPECT_EQ(read.output_font->size, 11);
    EXPECT_EQ(read.ver, sample().ver);
    EXPECT_EQ(read.impresion, sample().impresion);
    EXPECT_EQ(read.ventanas, sample().ventanas);
    EXPECT_EQ(read.recent_files, sample().recent_files);
}

TEST(SettingsFile, WritesTheSectionsInOrder) {
    SettingsData d = sample();
    d.watch.reset();
    d.recent_files.clear();
    d.impresion = {{"PRINTERCOMMAND", "line\nbreak"}};
    EXPECT_EQ(format_settings(d),
              "[FUENTE TEXTO]\n10\n72\n90\n90\ncourier\n[FIN]\n"
              "[FUENTE SALIDA]\n11\n72\n90\n90\ncourier\n[FIN]\n"
              "[VER]\nNUMEROLINEA=1\nZOOM=-2\n[FIN]\n"
              "[IMPRESION]\nPRINTERCOMMAND=line break\n[FIN]\n"
              "[VENTANAS]\nMAINWIN_X=-1\n[FIN]\n"
              "[ARCHIVOS RECIENTES]\n[FIN]\n");
}

}  // namespace
