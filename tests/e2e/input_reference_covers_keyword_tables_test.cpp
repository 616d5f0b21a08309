// docs/input-reference.md and the keyword tables list the same words: under the section
// "## <table>: ..." one heading "### <entry>" per table entry, written as in the table ('$' included)
// and followed by an example (a ``` block). A new keyword needs a new heading there, nothing else.
#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <set>
#include <string>
#include <utility>

#include "input/keyword_tables.h"

TEST(InputReference, DescribesEveryKeywordOfEveryTableAndNothingElse) {
    std::set<std::string> inTables, described, withExample;  // "<table> <entry>"
    using zelk::KeywordTable;
    for (const auto& [name, table] : std::initializer_list<std::pair<const char*, const KeywordTable*>>{
             {"TopKeywords", &zelk::TopKeywords}, {"ModelKeywords", &zelk::ModelKeywords},
             {"EfgDataKeywords", &zelk::EfgDataKeywords}, {"MaterialKeywords", &zelk::MaterialKeywords},
             {"EvPointKeywords", &zelk::EvPointKeywords}, {"MacroKeywords", &zelk::MacroKeywords},
             {"ReportKeywords", &zelk::ReportKeywords}, {"GridWallKeywords", &zelk::GridWallKeywords}})
        for (int index = 0; index < table->count(); ++index)
            inTables.insert(std::string(name) + " " + std::string(table->entry(index)));
    std::ifstream page(EXAMPLES_DIR "/../docs/input-reference.md");
    std::string line, table, entry;
    while (std::getline(page, line)) {
        if (line.starts_with("## ")) table = line.substr(3, line.find(':') - 3);
        if (line.starts_with("### ")) {
            EXPECT_TRUE(described.insert(entry = table + " " + line.substr(4)).second) << "described twice: " << entry;
        }
        if (line.starts_with("```")) withExample.insert(entry);
    }
    for (const std::string& word : inTables) {
        EXPECT_TRUE(described.count(word) && withExample.count(word)) << "add '### " << word.substr(word.find(' ') + 1)
            << "' with an example under '## " << word.substr(0, word.find(' ')) << "' in docs/input-reference.md";
    }
    for (const std::string& word : described) EXPECT_TRUE(inTables.count(word)) << "described, in no table: " << word;
}
