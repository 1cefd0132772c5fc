#include "qt/FilterCells.h"

#include "qt/QtText.h"

#include <vector>

namespace qm::qt {

QStringList NameFiltersFromCell(std::u16string_view cell) {
    std::vector<std::u16string_view> parts;
    size_t start = 0;
    while (start < cell.size()) {
        size_t end = cell.find(u'\0', start);
        if (end == std::u16string_view::npos) {
            end = cell.size();
        }
        if (end == start) {
            break; // the empty string ends the list
        }
        parts.push_back(cell.substr(start, end - start));
        start = end + 1;
    }
    QStringList filters;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = ToQString(parts[i]);
        QString patterns = ToQString(parts[i + 1]);
        patterns.replace(u';', u' ');
        const QString suffix = QStringLiteral("(") + patterns + QStringLiteral(")");
        if (description.trimmed().endsWith(suffix)) {
            filters << description;
        } else {
            filters << description + QStringLiteral(" ") + suffix;
        }
    }
    return filters;
}

} // namespace qm::qt
