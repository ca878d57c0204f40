// The one place that says how workbook files end. Templates and lists keep their documented base names
// ("NotaPlata", "Rap0"); only the extension follows the file format we write.
#pragma once

namespace lirma::workbook {

inline constexpr char WorkbookExtension[] = ".xlsx";

} // namespace lirma::workbook
