#pragma once

#include <QString>

namespace vl {

// The engine's numbered texts as the windows show them.
QString ResourceText(int id);
// A caption with its mnemonic marker removed, for tooltips and titles.
QString PlainText(int id);

namespace text_id {
inline constexpr int kOk = 55000;
inline constexpr int kCancel = 55001;
inline constexpr int kPage = 55004;
inline constexpr int kRemovePage = 55005;
inline constexpr int kConfirm = 55006;
inline constexpr int kPreview = 55207;
inline constexpr int kError = 55206;
inline constexpr int kShowHelp = 53032;
inline constexpr int kOpenReport = 53088;
inline constexpr int kSaveReport = 53089;
inline constexpr int kScale = 55720;
inline constexpr int kPrintReport = 55721;
inline constexpr int kPageSetup = 55722;
inline constexpr int kFindText = 55723;
inline constexpr int kClosePreview = 55724;
inline constexpr int kPageWidth = 55725;
inline constexpr int kWholePage = 55726;
inline constexpr int kTwoPages = 55727;
inline constexpr int kEditPage = 55728;
inline constexpr int kDeletePage = 55729;
inline constexpr int kReportFile = 55730;
inline constexpr int kTextToFind = 55731;
inline constexpr int kOptions = 55732;
inline constexpr int kCaseSensitive = 55733;
inline constexpr int kOrigin = 55734;
inline constexpr int kFirstPage = 55735;
inline constexpr int kCurrentPage = 55736;
inline constexpr int kExportPdf = 55737;
inline constexpr int kPdfDocument = 55738;
inline constexpr int kLinkRefused = 55739;
inline constexpr int kPrintPreview = 55740;
inline constexpr int kAddPage = 55741;
} // namespace text_id

} // namespace vl
