#include <administrator/importrun/SafeName.h>
#include <gtest/gtest.h>

TEST(SafeName, EveryFieldBecomesOneHarmlessNameComponent) {
  struct Case {
    std::u16string field;
    std::string name;
  } cases[] = {
      {u"Abbey Road", "Abbey Road"},
      {u"AC/DC", "AC_DC"},
      {u"..", "__"},
      {u".", "_"},
      {u"...", "_._"},
      {u".hidden", "_hidden"},
      {u"trailing.", "trailing_"},
      {u"a\\b:c*d?e\"f<g>h|i", "a_b_c_d_e_f_g_h_i"},
      {std::u16string(u"nul\0tab\tdel\x7F", 12), "nul_tab_del_"},
      {u"caf\u00E9 \u20AC", "caf\xC3\xA9 \xE2\x82\xAC"},
      {u"It's, [live] (1999)", "It's, [live] (1999)"},
  };
  for (const auto& c : cases) EXPECT_EQ(administrator::importrun::safeNameComponent(c.field), c.name);
}
