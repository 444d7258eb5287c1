#include <platform/ui/FilePattern.h>

#include <algorithm>

namespace platform::ui {
namespace {

// Iterative glob match with one backtrack point: linear in practice, never exponential.
bool globMatches(QStringView glob, QStringView name) {
  qsizetype g = 0, n = 0, starGlob = -1, starName = 0;
  while (n < name.size()) {
    if (g < glob.size() && (glob[g] == QLatin1Char('?') || glob[g] == name[n])) {
      ++g;
      ++n;
    } else if (g < glob.size() && glob[g] == QLatin1Char('*')) {
      starGlob = g++;
      starName = n;
    } else if (starGlob >= 0) {
      g = starGlob + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (g < glob.size() && glob[g] == QLatin1Char('*')) ++g;
  return g == glob.size();
}

}  // namespace

FilePattern::FilePattern(const QString& patterns) : text_(patterns) {
  for (const QString& part : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString glob = part.trimmed().toCaseFolded();
    if (glob.isEmpty()) continue;
    globs_.push_back(glob == QStringLiteral("*.*") ? QStringLiteral("*") : glob);
  }
  if (globs_.isEmpty()) globs_.push_back(QStringLiteral("*"));
}

bool FilePattern::matches(const QString& fileName) const {
  const QString folded = fileName.toCaseFolded();
  return std::any_of(globs_.begin(), globs_.end(), [&](const QString& glob) { return globMatches(glob, folded); });
}

}  // namespace platform::ui
