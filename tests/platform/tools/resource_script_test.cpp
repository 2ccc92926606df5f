// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The resource script's reader and rc_compile, which makes the program's resource table of it.
#include "platform/tools/resource_script.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

platform::ResourceScript Parse(const std::string& text) {
    return platform::ParseResourceScript(text, "x.rc");
}

TEST(ResourceScriptTest, ReadsNamedTypesEscapesAndCommentsAsAResourceCompilerDoes) {
    platform::ResourceScript script = Parse(
        "#pragma code_page(65001)\n"
        "LANGUAGE 9, 1\n"
        "900 TrueType \"fonts/a b.ttf\"  // the font\n"
        "20000 WAVE \"sounds\\\\click.wav\"\n"
        "stringtable\n"
        "{\n"
        "  1, \"say \"\"hi\"\"\\tnow\\n\\x263A \\xe9\"\n"
        "  2 \"// not a comment\"\n"
        "}\n"
        "STRINGTABLE\r\nBEGIN\r\n  65535 \"\"\r\nEND\r\n");
    ASSERT_EQ(script.error, "");
    ASSERT_EQ(script.resources.size(), 2u);
    EXPECT_EQ(script.resources[0].type, "TRUETYPE");
    EXPECT_EQ(script.resources[0].path, "fonts/a b.ttf");
    EXPECT_EQ(script.resources[1].path, "sounds\\click.wav");
    EXPECT_EQ(script.resources[1].line, 4);
    EXPECT_EQ(script.strings.at({0x409, 1}), U"say \"hi\"\tnow\n\u263A \u00E9");
    EXPECT_EQ(script.strings.at({0x409, 2}), U"// not a comment");
    EXPECT_EQ(script.strings.at({0x409, 65535}), U"");

    std::string table = platform::ResourceTableSource(script, {{1, 2}, {}}, "x.rc");
    EXPECT_NE(table.find("{0, L\"TRUETYPE\", 900, 1033, r0, s0},"), std::string::npos) << table;
    EXPECT_NE(
        table.find("{1, 1033, L\"say \\U00000022hi\\U00000022\\U00000009now\\U0000000A\\U0000263A "
                   "\\U000000E9\"},"),
        std::string::npos)
        << table;
}

// As in Windows' own scripts: a LANGUAGE line holds for what follows it, one between a
// STRINGTABLE and its BEGIN for that table alone; the same numbers may stand in each language.
TEST(ResourceScriptTest, EachLanguageHasItsOwnResourcesAndStringsUnderTheSameNumbers) {
    platform::ResourceScript script = Parse(
        "1 WAVE \"neutral.wav\"\n"
        "LANGUAGE 9, 1\n"
        "1 WAVE \"en.wav\"\n"
        "STRINGTABLE\nBEGIN\n  5 \"five\"\nEND\n"
        "STRINGTABLE\nLANGUAGE 0x0A, 0\nBEGIN\n  5 \"cinco\"\nEND\n"
        "2 BITMAP \"en.bmp\"\n"
        "LANGUAGE 7, 1\n"
        "1 WAVE \"de.wav\"\n"
        "STRINGTABLE\nBEGIN\n  5 \"f\\xfcnf\"\nEND\n");
    ASSERT_EQ(script.error, "");
    std::vector<std::pair<std::string, platform::LanguageId>> resources;
    for (const platform::ScriptedResource& r : script.resources)
        resources.emplace_back(r.path, r.language);
    EXPECT_EQ(resources,
              (std::vector<std::pair<std::string, platform::LanguageId>>{
                  {"neutral.wav", 0}, {"en.wav", 0x0409}, {"en.bmp", 0x0409}, {"de.wav", 0x0407}}));
    EXPECT_EQ(script.strings.at({0x0409, 5}), U"five");
    EXPECT_EQ(script.strings.at({0x000A, 5}), U"cinco");
    EXPECT_EQ(script.strings.at({0x0407, 5}), U"f\u00FCnf");
    // The English bitmap holds the same bytes as the neutral clip: stored once, found under both.
    std::string table = platform::ResourceTableSource(script, {{1}, {2}, {1}, {4}}, "x.rc");
    EXPECT_NE(table.find("{0, L\"WAVE\", 1, 1031, r3, s3},"), std::string::npos) << table;
    EXPECT_NE(table.find("{2, nullptr, 2, 1033, r0, s0},"), std::string::npos) << table;
    EXPECT_EQ(table.find("uint8_t r2[]"), std::string::npos) << table;
    EXPECT_NE(table.find("{5, 10, L\"cinco\"},"), std::string::npos) << table;
}

TEST(ResourceScriptTest, RefusesWhatItCannotStoreNamingTheLine) {
    struct Case {
        std::string text, error;
    } cases[] = {
        {"1 RCDATA \"\"\n", "x.rc:1: the path is empty"},
        {"\n1 \"b.bmp\"\n", "x.rc:2: expected a type after the id, such as BITMAP"},
        {"1 BITMAP\n", "x.rc:1: expected a quoted path after the type"},
        {"1 BITMAP \"a\" \"b\"\n", "x.rc:1: unexpected 'b' after the path"},
        {"12abc BITMAP \"b.bmp\"\n", "x.rc:1: expected a resource id from 1 to 65535, got '12abc'"},
        {"65536 WAVE \"a\"\n", "x.rc:1: expected a resource id from 1 to 65535, got '65536'"},
        {"0 WAVE \"a\"\n", "x.rc:1: expected a resource id from 1 to 65535, got '0'"},
        {"1 WA-VE \"a\"\n", "x.rc:1: type 'WA-VE' may hold only letters, digits and '_'"},
        {"1 CURSOR \"a\"\n", "x.rc:1: type CURSOR is not supported"},
        {"1 WAVE \"a\"\n2 WAVE \"b\"\n1 wave \"c\"\n",
         "x.rc:3: WAVE 1 is already defined on line 1"},
        {"1 WAVE \"a\\x01\"\n", "x.rc:1: the path holds a control character"},
        {"1 WAVE \"a\n", "x.rc:1: unterminated string"},
        {"STRINGTABLE\nBEGIN\n1 \"x\"\n", "x.rc:1: this STRINGTABLE has no END"},
        {"STRINGTABLE\n", "x.rc:1: this STRINGTABLE has no END"},
        {"STRINGTABLE\n1 \"x\"\n", "x.rc:2: expected BEGIN after the STRINGTABLE of line 1"},
        {"END\n", "x.rc:1: unexpected END"},
        {"STRINGTABLE\nBEGIN\nSTRINGTABLE\n", "x.rc:3: unexpected STRINGTABLE"},
        {"STRINGTABLE BEGIN\n", "x.rc:1: STRINGTABLE stands alone on its line"},
        {"STRINGTABLE\nBEGIN\n1 \"a\"\n1 \"b\"\nEND\n", "x.rc:4: string 1 is already defined"},
        {"STRINGTABLE\nBEGIN\n1\nEND\n", "x.rc:3: expected a quoted string after the id"},
        {"STRINGTABLE\nBEGIN\n1 \"a\" x\nEND\n", "x.rc:3: unexpected 'x' after the string"},
        {"STRINGTABLE\nBEGIN\n1x \"a\"\nEND\n", "x.rc:3: expected a string id from 0 to 65535"},
        // What would have made C++ that does not compile, or strings that are no text.
        {"STRINGTABLE\nBEGIN\n1 \"\\xD800\"\nEND\n",
         "x.rc:3: \\xD800 is half of a surrogate pair, not a character"},
        {"STRINGTABLE\nBEGIN\n1 \"\\xdfff1\"\nEND\n", "x.rc:3: \\xdfff is half of a surrogate"},
        {"STRINGTABLE\nBEGIN\n1 \"\\x\"\nEND\n", "x.rc:3: \\x needs one to four hex digits"},
        {"STRINGTABLE\nBEGIN\n1 \"\\x0\"\nEND\n", "x.rc:3: a string may not hold \\x0"},
        {"STRINGTABLE\nBEGIN\n1 \"\\q\"\nEND\n", "x.rc:3: unknown escape '\\q'"},
        {"STRINGTABLE\nBEGIN\n1 \"\xF4\x90\x80\x80\"\nEND\n", "x.rc:3: the string is not valid"},
        {"STRINGTABLE\nBEGIN\n1 \"\xC0\xAF\"\nEND\n", "x.rc:3: the string is not valid"},
        {"STRINGTABLE\nBEGIN\n1 \"\xE0\x80\xAF\"\nEND\n", "x.rc:3: the string is not valid"},
        {"STRINGTABLE\nBEGIN\n1 \"\xED\xA0\x80\"\nEND\n", "x.rc:3: the string is not valid"},
        {"STRINGTABLE\nBEGIN\n1 \"\xE2\x82\"\nEND\n", "x.rc:3: the string is not valid"},
        {std::string("STRINGTABLE\nBEGIN\n1 \"a\0b\"\nEND\n", 25), "x.rc:3: the string is not"},
        {"LANGUAGE 7\n", "x.rc:1: expected LANGUAGE with a primary language (0 to 1023)"},
        {"LANGUAGE 7, 64\n", "x.rc:1: expected LANGUAGE with a primary language"},
        {"LANGUAGE 0x400, 1\n", "x.rc:1: expected LANGUAGE with a primary language"},
        {"LANGUAGE 7 1\n", "x.rc:1: expected LANGUAGE with a primary language"},
        {"LANGUAGE LANG_GERMAN, 1\n", "x.rc:1: expected LANGUAGE with a primary language"},
        {"LANGUAGE 7, 1\n1 WAVE \"a\"\nLANGUAGE 0x7, 0x1\n1 WAVE \"b\"\n",
         "x.rc:4: WAVE 1 is already defined on line 2 in its language"},
        {"\x1b[2J\n", "x.rc:1: expected a resource id from 1 to 65535, got '\\x1B[2J'"},
    };
    for (const Case& c : cases) {
        platform::ResourceScript script = Parse(c.text);
        EXPECT_EQ(script.error.rfind(c.error, 0), 0u) << c.text << " gave: " << script.error;
        EXPECT_TRUE(script.resources.empty() && script.strings.empty()) << c.text;
    }
}

// rc_compile run as the build runs it, in a folder of its own.
class RcCompileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("quillby-rc-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder / "sub");
        std::ofstream(folder / "a.bmp") << "BM" << std::string(12, '\0') << "dib";
        std::ofstream(folder / "old.cpp") << "an earlier table";
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // Compiles `script` into old.cpp; gives the exit code and what rc_compile said.
    std::pair<int, std::string> Compile(const std::string& script, const std::string& more = "") {
        std::ofstream(folder / "x.rc") << script;
        std::string command = std::string(QUILLBY_RC_COMPILE) + " " + (folder / "x.rc").string() +
                              " " + (folder / "old.cpp").string() + more + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        std::string said;
        char buffer[256];
        while (pipe && std::fgets(buffer, sizeof buffer, pipe)) said += buffer;
        int status = pipe ? pclose(pipe) : -1;
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, said};
    }

    std::filesystem::path folder;
};

TEST_F(RcCompileTest, ABadScriptOrFileIsOneLineExitOneAndNoOutput) {
    std::string rc = (folder / "x.rc").string();
    struct Case {
        std::string script, said;
    } cases[] = {
        {"1 RCDATA \".\"\n", rc + ":1: '" + folder.string() + "/.' is not a regular file"},
        {"\n1 RCDATA \"sub\"\n", rc + ":2: '" + folder.string() + "/sub' is not a regular file"},
        {"1 RCDATA \"none\"\n", rc + ":1: '" + folder.string() + "/none' does not exist"},
        {"1 BITMAP \"x.rc\"\n", rc + ":1: '" + folder.string() + "/x.rc' is not a BMP file"},
        {"1 \"a.bmp\"\n", rc + ":1: expected a type after the id, such as BITMAP"},
    };
    for (const Case& c : cases) {
        std::ofstream(folder / "old.cpp") << "an earlier table";
        auto [code, said] = Compile(c.script);
        EXPECT_EQ(code, 1) << c.script;
        EXPECT_EQ(said, "rc_compile: " + c.said + "\n");
        EXPECT_FALSE(std::filesystem::exists(folder / "old.cpp")) << c.script;
    }
}

// The page's voice is a file apart: the sounds of the range, each as its number, its size and
// its bytes; everything else stays in the table.
TEST_F(RcCompileTest, SoundsOfARangeGoApartIntoAPack) {
    std::ofstream(folder / "w.wav") << "RIFF!";
    auto [code, said] = Compile("1400 WAVE \"w.wav\"\n1401 RCDATA \"w.wav\"\n1800 WAVE \"w.wav\"\n",
                                " --apart 1400-1799 " + (folder / "pack").string());
    EXPECT_EQ(code, 0) << said;
    std::ifstream pack(folder / "pack", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(pack), {}),
              std::string("QVC1\x78\x05\0\0\x05\0\0\0RIFF!", 17));
    std::ifstream table(folder / "old.cpp");
    std::string source(std::istreambuf_iterator<char>(table), {});
    EXPECT_EQ(source.find(", 1400, "), std::string::npos);
    EXPECT_NE(source.find(", 1401, "), std::string::npos);
    EXPECT_NE(source.find(", 1800, "), std::string::npos);
}

// Each language's voice is a file of its own, named by its code beside the English one, so that
// the page fetches only the one it speaks; a language without such sounds has an empty one.
TEST_F(RcCompileTest, EachLanguagesSoundsGoIntoAPackOfItsOwn) {
    std::ofstream(folder / "en.wav") << "en";
    std::ofstream(folder / "de.wav") << "de!";
    std::string pack = (folder / "voice.bin").string();
    auto [code, said] = Compile(
        "1400 WAVE \"en.wav\"\nLANGUAGE 9, 1\n1401 WAVE \"en.wav\"\nLANGUAGE 7, 1\n"
        "1401 WAVE \"de.wav\"\n1800 WAVE \"de.wav\"\nLANGUAGE 12, 1\n"
        "STRINGTABLE\nBEGIN\n16 \"ABC\"\nEND\n",
        " --apart 1400-1799 " + pack);
    EXPECT_EQ(code, 0) << said;
    auto read = [&](const char* name) {
        std::ifstream in(folder / name, std::ios::binary);
        return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "(none)";
    };
    EXPECT_EQ(read("voice.bin"),
              std::string("QVC1\x78\x05\0\0\x02\0\0\0en\x79\x05\0\0\x02\0\0\0en", 24));
    EXPECT_EQ(read("voice-de.bin"), std::string("QVC1\x79\x05\0\0\x03\0\0\0de!", 15));
    EXPECT_EQ(read("voice-fr.bin"), "QVC1");
    std::string source = read("old.cpp");
    EXPECT_EQ(source.find(", 1401, "), std::string::npos) << source;
    EXPECT_NE(source.find("{0, L\"WAVE\", 1800, 1031, "), std::string::npos) << source;

    std::string rc = (folder / "x.rc").string();
    for (auto [script, problem] : {
             std::pair{"LANGUAGE 32, 1\n1400 WAVE \"en.wav\"\n",
                       ":2: LANGUAGE 32, 1 has no two-letter code to name its voice file by"},
             std::pair{"LANGUAGE 7, 1\n1 WAVE \"de.wav\"\nLANGUAGE 7, 3\n1 WAVE \"de.wav\"\n",
                       ":4: LANGUAGE 7, 3 has the code of another language, de"},
         }) {
        std::tie(code, said) = Compile(script, " --apart 1400-1799 " + pack);
        EXPECT_EQ(code, 1) << script;
        EXPECT_EQ(said, "rc_compile: " + rc + problem + "\n");
    }
}

}  // namespace
