// docs/input-reference.md and the keyword tables list the same words: every
// table has a section "## <table name>: ...", every entry of the table a
// heading "### <entry>" in it written exactly as in the table ('$' included),
// with an example, and the page has no section or heading that no table has.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "input/keyword_tables.h"

namespace {

// Every keyword table the solver reads, under the name its section carries.
const std::map<std::string, const zelk::KeywordTable*> kTables = {
    {"TopKeywords", &zelk::TopKeywords},           {"ModelKeywords", &zelk::ModelKeywords},
    {"EfgDataKeywords", &zelk::EfgDataKeywords},   {"MaterialKeywords", &zelk::MaterialKeywords},
    {"EvPointKeywords", &zelk::EvPointKeywords},   {"MacroKeywords", &zelk::MacroKeywords},
    {"ReportKeywords", &zelk::ReportKeywords},     {"GridWallKeywords", &zelk::GridWallKeywords},
};

TEST(InputReference, DescribesEveryKeywordOfEveryTableAndNothingElse) {
    std::ifstream page(EXAMPLES_DIR "/../docs/input-reference.md");
    ASSERT_TRUE(page) << "docs/input-reference.md is missing";
    std::map<std::string, std::set<std::string>> described;  // table -> its headings
    std::map<std::string, bool> hasExample;                     // "table entry" -> a ``` block follows
    std::string line, table, entry;
    while (std::getline(page, line)) {
        if (line.starts_with("## ")) {
            table = line.substr(3, line.find(':') - 3);
            EXPECT_TRUE(kTables.count(table)) << "section for no keyword table: " << line;
            EXPECT_TRUE(described.emplace(table, std::set<std::string>{}).second) << "second section: " << line;
            entry.clear();
        } else if (line.starts_with("### ")) {
            entry = line.substr(4);
            EXPECT_FALSE(table.empty()) << "heading outside a table section: " << line;
            EXPECT_TRUE(described[table].insert(entry).second) << "described twice: " << table << " " << entry;
            hasExample[table + " " + entry] = false;
        } else if (line.starts_with("```") && !entry.empty()) {
            hasExample[table + " " + entry] = true;
        }
    }
    for (const auto& [name, keywords] : kTables) {
        std::set<std::string> inTable;
        for (int index = 0; index < keywords->count(); ++index) inTable.emplace(keywords->entry(index));
        for (const std::string& word : inTable) {
            EXPECT_TRUE(described[name].count(word)) << name << " entry without a manual entry: " << word;
            EXPECT_TRUE(hasExample[name + " " + word]) << name << " entry without an example: " << word;
        }
        for (const std::string& word : described[name])
            EXPECT_TRUE(inTable.count(word)) << "manual entry in " << name << " that the table lacks: " << word;
    }
}

}  // namespace
