// The page core's JSON, natively: texts escaped as JSON asks, and the table
// of Find Classes, whose cells' words are written once for all the rows that
// share them, read back as goals::advise words each row.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <random>
#include <set>
#include <string>

#include "goals/advise.h"
#include "web/json.h"

namespace web {
class Session;
}
extern "C" const char* plavet_advise(web::Session*, const char* text, std::size_t length);

namespace {

TEST(PageJson, TextsAreEscaped) {
  using namespace std::string_view_literals;
  const struct {
    std::string_view text, json;
  } cases[] = {
      {"", R"("")"},
      {"Kick", R"("Kick")"},
      {R"(a"b)", R"("a\"b")"},
      {R"("x\)", R"("\"x\\")"},
      {"line\nnext\t\x01\x1f", R"("line\u000anext\u0009\u0001\u001f")"},
      {"a\0b"sv, R"("a\u0000b")"},
      {"\xc3\xbc \xe2\x80\x9cKick\xe2\x80\x9d", "\"\xc3\xbc \xe2\x80\x9cKick\xe2\x80\x9d\""},
  };
  for (const auto& c : cases) {
    std::string out;
    web::json::quoted(out, c.text);
    EXPECT_EQ(out, c.json);
    EXPECT_EQ(nlohmann::json::parse(out).get<std::string>(), c.text);
  }
}

TEST(PageJson, FindClassesReadsBackAsTheCoreWordsEachRow) {
  std::mt19937 random(3);
  const auto names = goals::skillNames();
  for (int round = 0; round < 8; ++round) {
    goals::Question q;
    q.magicBonus = int(random() % 3);
    q.physicalBonus = int(random() % 3);
    const std::size_t count = 1 + random() % 6;
    while (q.skills.size() < count) {
      const std::string_view name = names[random() % names.size()];
      if (std::find(q.skills.begin(), q.skills.end(), name) == q.skills.end())
        q.skills.push_back(name);
    }
    const std::size_t top = round % 2 ? 20 : 0;  // the best 20, or every row
    std::string text = std::to_string(q.magicBonus) + "\n" + std::to_string(q.physicalBonus) +
                       "\n" + std::to_string(top) + "\n\n\n";
    for (std::string_view name : q.skills) (text += '\n') += name;
    const char* answer = plavet_advise(nullptr, text.data(), text.size());
    ASSERT_NE(answer, nullptr) << text;
    const nlohmann::json table = nlohmann::json::parse(answer);
    const goals::Advice advice = goals::advise(q, top ? top : goals::kAllRows);
    ASSERT_EQ(table["rows"].size(), advice.rows.size()) << text;
    const nlohmann::json& said = table["said"];
    for (std::size_t i = 0; i < advice.rows.size(); ++i) {
      const nlohmann::json& row = table["rows"][i];
      const goals::Suggestion& s = advice.rows[i];
      ASSERT_EQ(row.size(), 8u);
      EXPECT_EQ(row[0], s.race);
      EXPECT_EQ(row[1], s.firstClass);
      EXPECT_EQ(row[2], s.secondClass);
      EXPECT_EQ(row[3], s.kept.size());
      EXPECT_EQ(row[4], s.pointsLeft);
      EXPECT_EQ(row[5], goals::rowWords(advice, s));
      ASSERT_EQ(row[6].size(), q.skills.size());
      for (std::size_t j = 0; j < q.skills.size(); ++j) {
        const nlohmann::json& cell = said.at(row[6][j].get<std::size_t>());
        EXPECT_EQ(cell[0], goals::givenBy(s, j)) << i << " " << j;
        EXPECT_EQ(cell[1], goals::givenWords(advice, s, j)) << i << " " << j;
      }
      ASSERT_EQ(row[7].size(), 2 * s.kept.size());
      for (std::size_t k = 0; k < s.kept.size(); ++k) {
        EXPECT_EQ(row[7][2 * k], s.kept[k].goal.copy == skills::Copy::FirstClass ? 0 : 1);
        EXPECT_EQ(row[7][2 * k + 1], s.kept[k].goal.row);
      }
    }
    // Each cell's words once.
    std::set<std::string> distinct;
    for (const nlohmann::json& cell : said) distinct.insert(cell.dump());
    EXPECT_EQ(distinct.size(), said.size());
  }
}

}  // namespace
