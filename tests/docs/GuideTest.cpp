// Keeps the user guide honest: the pictures it shows exist, and every message it quotes (the code spans
// in the first column of the table under "## Messages") matches the sources' text, so a message reworded
// on either side fails here. In a quote "…" stands for a part that changes, "↵" for a line break.
#include "../support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kRoot = TAVREL_SOURCE_DIR;

std::string readFile(const fs::path& path)
{
    return tavrel::test::readFile(QString::fromStdString(path.string())).toStdString();
}

// Every text of the program's sources, adjacent string literals joined as the compiler joins them.
std::string programTexts()
{
    static const std::regex adjacentLiterals(R"("\s*")");
    std::string all;
    for (const auto& entry : fs::recursive_directory_iterator(kRoot / "src"))
        if (entry.is_regular_file())
            all += std::regex_replace(readFile(entry.path()), adjacentLiterals, "") + '\n';
    return all;
}

void replaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::string escaped(const std::string& text)
{
    static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
    return std::regex_replace(text, special, R"(\$&)");
}

// A quoted message as the sources write it: the line break as "\n"; a changing part as a placeholder
// ("%1") or as code between two literals; the quotes the program puts around a path belong to that part.
std::regex asWritten(std::string message)
{
    replaceAll(message, "↵", "\\n");
    replaceAll(message, "\"…\"", "…");
    const std::string gap = "…";
    std::string pattern;
    for (std::size_t start = 0, at = 0; at != std::string::npos; start = at + gap.size()) {
        at = message.find(gap, start);
        const std::string piece = message.substr(start, at - start);
        if (!pattern.empty() && !piece.empty())
            pattern += R"((?:%\d+|"[^"\n]*["']))";
        pattern += escaped(piece);
    }
    return std::regex(pattern);
}

// The first group of every match of the pattern in the text.
std::vector<std::string> captured(const std::string& text, const char* pattern)
{
    const std::regex re(pattern);
    std::vector<std::string> out;
    for (std::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it)
        out.push_back((*it)[1]);
    return out;
}

// The code spans opening the rows of the "## Messages" table.
std::vector<std::string> quotedMessages(const std::string& guide)
{
    const std::size_t section = guide.find("\n## Messages\n");
    if (section == std::string::npos)
        return {};
    return captured(guide.substr(section, guide.find("\n## ", section + 1) - section), R"(\n\| `([^`]+)` \|)");
}

std::vector<std::string> picturesNamed(const std::string& markdown, const std::string& folder)
{
    std::vector<std::string> pictures = captured(markdown, R"(!\[[^\]]*\]\(([^)]+)\))");
    for (std::string& picture : pictures)
        picture.insert(0, folder);
    return pictures;
}

} // namespace

TEST(Guide, ShowsOnlyPicturesThatExist)
{
    std::vector<std::string> pictures = picturesNamed(readFile(kRoot / "docs/guide.md"), "docs/");
    const std::vector<std::string> readme = picturesNamed(readFile(kRoot / "README.md"), "");
    ASSERT_GE(pictures.size(), 9u) << "the guide shows each view, panel, menu and the console";
    ASSERT_FALSE(readme.empty()) << "the README opens with a picture";
    pictures.insert(pictures.end(), readme.begin(), readme.end());
    for (const std::string& picture : pictures) {
        EXPECT_EQ(picture.rfind("docs/images/", 0), 0u) << picture << " lies outside docs/images";
        EXPECT_TRUE(fs::is_regular_file(kRoot / picture)) << picture << " is missing";
    }
    EXPECT_NE(readFile(kRoot / "README.md").find("(docs/guide.md)"), std::string::npos)
        << "the README links the guide";
}

// A newcomer starts with Use Pictures off, when the picture box opens the about panel instead.
TEST(Guide, PicturesSectionStartsWithUsePictures)
{
    const std::string guide = readFile(kRoot / "docs/guide.md");
    const std::size_t section = guide.find("\n### Giving a game its pictures\n");
    ASSERT_NE(section, std::string::npos);
    EXPECT_LT(guide.find("**Use Pictures** on", section), guide.find("images/use-pictures.png", section));
    EXPECT_LT(guide.find("images/use-pictures.png", section), guide.find("images/pictures.png", section));
}

TEST(Guide, QuotesOnlyMessagesTheProgramShows)
{
    const std::vector<std::string> messages = quotedMessages(readFile(kRoot / "docs/guide.md"));
    ASSERT_GE(messages.size(), 20u) << "the Messages table lost its rows, or their form changed";
    const std::string sources = programTexts();
    for (const std::string& message : messages)
        EXPECT_TRUE(std::regex_search(sources, asWritten(message)))
            << "The guide quotes \"" << message << "\", which the program never shows";
}
