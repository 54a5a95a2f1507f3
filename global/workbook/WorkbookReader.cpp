#include "global/workbook/WorkbookReader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/import_interface.hpp>
#include <orcus/spreadsheet/import_interface_view.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <orcus/exception.hpp>

#include <cctype>
#include <cmath>
#include <exception>
#include <map>
#include <memory>
#include <unordered_map>

namespace global {

namespace {

namespace ss = orcus::spreadsheet;
namespace iface = orcus::spreadsheet::iface;

QString tr(const char* text)
{
    return QCoreApplication::translate("global::Workbook", text);
}

QString fromView(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

enum class Format { Xlsx, Ods, Xls, Other };

Format formatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "xlsx" || suffix == "xlsm")
        return Format::Xlsx;
    if (suffix == "ods")
        return Format::Ods;
    if (suffix == "xls")
        return Format::Xls;
    return Format::Other;
}

// What the package around the cells tells: whether every cell can be read, and what else it holds.
struct PackageCheck {
    QString refusal;
    QStringList notCarried;
    QString activeSheet;  // named by the package where the sheets do not say it themselves
    void note(const QString& what)
    {
        if (!notCarried.contains(what))
            notCarried << what;
    }
};

std::string entryText(const orcus::zip_archive& zip, std::string_view name)
{
    std::vector<unsigned char> buffer;
    if (!zip.read_file_entry(name, buffer))
        return {};
    return std::string(buffer.begin(), buffer.end());
}

bool contains(const std::string& text, const char* what)
{
    return text.find(what) != std::string::npos;
}

// Whether a cell of the sheet holds a formula with a logical result, which the reader would take
// for an empty result.
bool hasLogicalFormulaResult(const std::string& sheet)
{
    for (size_t at = sheet.find("<c "); at != std::string::npos; at = sheet.find("<c ", at + 3)) {
        const size_t end = sheet.find('>', at);
        if (end == std::string::npos)
            return false;
        if (sheet[end - 1] == '/')
            continue;  // an empty cell
        const std::string_view attributes(sheet.data() + at, end - at);
        if (attributes.find(" t=\"b\"") != std::string_view::npos && sheet.compare(end + 1, 2, "<f") == 0)
            return true;
    }
    return false;
}

void checkXlsxPackage(const orcus::zip_archive& zip, PackageCheck& check)
{
    for (size_t i = 0; i < zip.get_file_entry_count(); ++i) {
        const std::string name(zip.get_file_entry_name(i));
        const QString lower = QString::fromStdString(name).toLower();
        if (lower.endsWith(".rels")) {
            if (contains(entryText(zip, name), "Target=\"/")) {
                check.refusal = tr("Skoroszyt wskazuje swoje części ścieżkami bezwzględnymi i nie może być "
                                   "odczytany w całości.|Otwórz go w programie arkusza i zapisz ponownie jako .xlsx.");
                return;
            }
        } else if (lower.startsWith("xl/worksheets/") && lower.endsWith(".xml")) {
            const std::string sheet = entryText(zip, name);
            if (contains(sheet, "t=\"inlineStr\"")) {
                check.refusal = tr("Skoroszyt trzyma teksty komórek w arkuszach zamiast we wspólnej tablicy tekstów "
                                   "i nie może być odczytany w całości.|Otwórz go w programie arkusza i zapisz "
                                   "ponownie jako .xlsx.");
                return;
            }
            if (hasLogicalFormulaResult(sheet)) {
                check.refusal = tr("Skoroszyt zawiera formuły o wyniku logicznym (PRAWDA/FAŁSZ), których wyników "
                                   "nie można odczytać.|Zamień je w programie arkusza na wartości albo liczby.");
                return;
            }
            if (contains(sheet, "<mergeCell "))
                check.note(tr("scalone komórki"));
            if (contains(sheet, "<conditionalFormatting"))
                check.note(tr("formatowanie warunkowe"));
            if (contains(sheet, "<dataValidation"))
                check.note(tr("sprawdzanie poprawności danych"));
            if (contains(sheet, "<hyperlink "))
                check.note(tr("hiperłącza"));
            if (contains(sheet, "<autoFilter"))
                check.note(tr("autofiltry"));
        } else if (lower == "xl/workbook.xml") {
            const std::string book = entryText(zip, name);
            if (contains(book, "date1904=\"1\"") || contains(book, "date1904=\"true\""))
                check.note(tr("daty liczone od 1904 roku"));
            if (contains(book, "<definedName"))
                check.note(tr("nazwane zakresy"));
        } else if (lower.startsWith("xl/charts/") || lower.startsWith("xl/chartsheets/")) {
            check.note(tr("wykresy"));
        } else if (lower.startsWith("xl/pivottables/") || lower.startsWith("xl/pivotcache/")) {
            check.note(tr("tabele przestawne"));
        } else if (lower.contains("vbaproject")) {
            check.note(tr("makra"));
        } else if (lower.startsWith("xl/drawings/") || lower.startsWith("xl/media/")) {
            check.note(tr("rysunki"));
        } else if (lower.startsWith("xl/comments") || lower.startsWith("xl/threadedcomments/")) {
            check.note(tr("komentarze"));
        } else if (lower.startsWith("xl/tables/")) {
            check.note(tr("tabele"));
        } else if (lower.startsWith("xl/externallinks/")) {
            check.note(tr("łącza zewnętrzne"));
        }
    }
}

QString unescapeXml(QString text)
{
    text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&apos;", "'");
    return text.replace("&amp;", "&");
}

void checkOdsPackage(const orcus::zip_archive& zip, PackageCheck& check)
{
    for (size_t i = 0; i < zip.get_file_entry_count(); ++i) {
        const QString name = fromView(zip.get_file_entry_name(i));
        if (name.startsWith("Object "))
            check.note(tr("wykresy"));
        else if (name.startsWith("Basic/") || name.startsWith("Scripts/"))
            check.note(tr("makra"));
        else if (name.startsWith("Pictures/"))
            check.note(tr("rysunki"));
    }
    // The sheet the program shows on opening is kept with the view settings.
    const QString settings = QString::fromStdString(entryText(zip, "settings.xml"));
    static const QRegularExpression activeTable(
        QStringLiteral("config:name=\"ActiveTable\"[^>]*>([^<]*)<"));
    const QRegularExpressionMatch active = activeTable.match(settings);
    if (active.hasMatch())
        check.activeSheet = unescapeXml(active.captured(1));

    const std::string content = entryText(zip, "content.xml");
    if (contains(content, "office:value-type=\"boolean\"")) {
        check.refusal = tr("Skoroszyt .ods zawiera komórki z wartościami logicznymi, których nie można "
                           "odczytać.|Zapisz go w programie arkusza jako .xlsx i wybierz ponownie.");
        return;
    }
    if (contains(content, "<table:data-pilot-table"))
        check.note(tr("tabele przestawne"));
}

// The strings shared by every sheet of an .xlsx workbook (and those .ods cells point to).
class SharedStrings : public iface::import_shared_strings {
public:
    std::vector<QString> strings;

    size_t append(std::string_view s) override
    {
        strings.push_back(fromView(s));
        return strings.size() - 1;
    }
    size_t add(std::string_view s) override
    {
        const std::string key(s);
        const auto it = index_.find(key);
        if (it != index_.end())
            return it->second;
        const size_t id = append(s);
        index_.emplace(key, id);
        return id;
    }
    void set_segment_font(size_t) override {}
    void set_segment_bold(bool) override {}
    void set_segment_italic(bool) override {}
    void set_segment_font_name(std::string_view) override {}
    void set_segment_font_size(double) override {}
    void set_segment_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void append_segment(std::string_view s) override { segments_ += std::string(s); }
    size_t commit_segments() override
    {
        const size_t id = append(segments_);
        segments_.clear();
        return id;
    }

private:
    std::unordered_map<std::string, size_t> index_;
    std::string segments_;
};

// The number formats of the workbook's cell formats; everything else about a format (fonts, fills,
// borders, alignment) is not kept.
class Styles : public iface::import_styles {
public:
    struct NumberFormat {
        size_t id = 0;
        QString code;
    };
    // Built-in formats come by number only; a format code of the workbook's own has a number of
    // 164 and more and its code.
    std::map<size_t, QString> codes;
    std::vector<size_t> cellFormats;  // the number format id of each cell format

    NumberFormat of(size_t cellFormat) const
    {
        if (cellFormat >= cellFormats.size())
            return {};
        const size_t id = cellFormats[cellFormat];
        const auto it = codes.find(id);
        return {id, it == codes.end() ? QString() : it->second};
    }

    void set_font_count(size_t) override {}
    void set_font_bold(bool) override {}
    void set_font_italic(bool) override {}
    void set_font_name(std::string_view) override {}
    void set_font_size(double) override {}
    void set_font_underline(ss::underline_t) override {}
    void set_font_underline_width(ss::underline_width_t) override {}
    void set_font_underline_mode(ss::underline_mode_t) override {}
    void set_font_underline_type(ss::underline_type_t) override {}
    void set_font_underline_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void set_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void set_strikethrough_style(ss::strikethrough_style_t) override {}
    void set_strikethrough_type(ss::strikethrough_type_t) override {}
    void set_strikethrough_width(ss::strikethrough_width_t) override {}
    void set_strikethrough_text(ss::strikethrough_text_t) override {}
    size_t commit_font() override { return fonts_++; }
    void set_fill_count(size_t) override {}
    void set_fill_pattern_type(ss::fill_pattern_t) override {}
    void set_fill_fg_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void set_fill_bg_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    size_t commit_fill() override { return fills_++; }
    void set_border_count(size_t) override {}
    void set_border_style(ss::border_direction_t, ss::border_style_t) override {}
    void set_border_color(ss::border_direction_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                          ss::color_elem_t) override {}
    void set_border_width(ss::border_direction_t, double, orcus::length_unit_t) override {}
    size_t commit_border() override { return borders_++; }
    void set_cell_hidden(bool) override {}
    void set_cell_locked(bool) override {}
    void set_cell_print_content(bool) override {}
    void set_cell_formula_hidden(bool) override {}
    size_t commit_cell_protection() override { return protections_++; }
    void set_number_format_count(size_t) override {}
    void set_number_format_identifier(size_t id) override { numberFormat_.id = id; }
    void set_number_format_code(std::string_view code) override { numberFormat_.code = fromView(code); }
    size_t commit_number_format() override
    {
        codes[numberFormat_.id] = numberFormat_.code;
        numberFormat_ = {};
        return numberFormats_++;
    }
    void set_cell_xf_count(size_t) override {}
    void set_cell_style_xf_count(size_t) override {}
    void set_dxf_count(size_t) override {}
    void set_xf_font(size_t) override {}
    void set_xf_fill(size_t) override {}
    void set_xf_border(size_t) override {}
    void set_xf_protection(size_t) override {}
    void set_xf_number_format(size_t index) override { xfNumberFormat_ = index; }
    void set_xf_style_xf(size_t) override {}
    void set_xf_apply_alignment(bool) override {}
    void set_xf_horizontal_alignment(ss::hor_alignment_t) override {}
    void set_xf_vertical_alignment(ss::ver_alignment_t) override {}
    size_t commit_cell_xf() override
    {
        cellFormats.push_back(xfNumberFormat_);
        xfNumberFormat_ = 0;
        return cellFormats.size() - 1;
    }
    size_t commit_cell_style_xf() override
    {
        xfNumberFormat_ = 0;
        return styleFormats_++;
    }
    size_t commit_dxf() override
    {
        xfNumberFormat_ = 0;
        return dxfs_++;
    }
    void set_cell_style_count(size_t) override {}
    void set_cell_style_name(std::string_view) override {}
    void set_cell_style_xf(size_t) override {}
    void set_cell_style_builtin(size_t) override {}
    void set_cell_style_parent_name(std::string_view) override {}
    size_t commit_cell_style() override { return cellStyles_++; }

private:
    NumberFormat numberFormat_;
    size_t xfNumberFormat_ = 0;
    size_t fonts_ = 0, fills_ = 0, borders_ = 0, protections_ = 0, numberFormats_ = 0;
    size_t styleFormats_ = 0, dxfs_ = 0, cellStyles_ = 0;
};

// Cell addresses in A1 notation ("B3", "$B$3", "A1:D12"), as the sheets of a workbook name their
// cells and ranges.
class References : public iface::import_reference_resolver {
public:
    ss::src_address_t resolve_address(std::string_view address) override
    {
        ss::src_address_t result{0, 0, 0};
        size_t i = 0;
        auto skipDollar = [&] {
            if (i < address.size() && address[i] == '$')
                ++i;
        };
        skipDollar();
        long column = 0;
        const size_t columnStart = i;
        while (i < address.size() && std::isalpha(static_cast<unsigned char>(address[i])) && column <= 16384)
            column = column * 26 + (std::toupper(static_cast<unsigned char>(address[i++])) - 'A' + 1);
        skipDollar();
        long row = 0;
        const size_t rowStart = i;
        while (i < address.size() && std::isdigit(static_cast<unsigned char>(address[i])) && row <= 1048576)
            row = row * 10 + (address[i++] - '0');
        if (i == columnStart || i == rowStart || i != address.size() || column > 16384 || row < 1 || row > 1048576)
            throw orcus::invalid_arg_error("invalid cell address: " + std::string(address));
        result.row = ss::row_t(row - 1);
        result.column = ss::col_t(column - 1);
        return result;
    }
    ss::src_range_t resolve_range(std::string_view range) override
    {
        const size_t colon = range.find(':');
        if (colon == std::string_view::npos) {
            const ss::src_address_t cell = resolve_address(range);
            return {cell, cell};
        }
        return {resolve_address(range.substr(0, colon)), resolve_address(range.substr(colon + 1))};
    }
};

class Settings : public iface::import_global_settings {
public:
    void set_origin_date(int, int, int) override {}
    void set_default_formula_grammar(ss::formula_grammar_t grammar) override { grammar_ = grammar; }
    ss::formula_grammar_t get_default_formula_grammar() const override { return grammar_; }
    void set_character_set(orcus::character_set_t) override {}

private:
    ss::formula_grammar_t grammar_ = ss::formula_grammar_t::unknown;
};

class SheetImport;

class View : public iface::import_sheet_view {
public:
    explicit View(bool& active) : active_(active) {}
    void set_sheet_active() override { active_ = true; }
    void set_split_pane(double, double, const ss::address_t&, ss::sheet_pane_t) override {}
    void set_frozen_pane(ss::col_t, ss::row_t, const ss::address_t&, ss::sheet_pane_t) override {}
    void set_selected_range(ss::sheet_pane_t, ss::range_t) override {}

private:
    bool& active_;
};

class Properties : public iface::import_sheet_properties {
public:
    explicit Properties(WorkbookSheet& sheet) : sheet_(sheet) {}
    void set_column_width(ss::col_t col, double width, orcus::length_unit_t unit) override
    {
        sheet_.setColumnWidth(int(col) + 1, inCharacters(width, unit));
    }
    void set_column_hidden(ss::col_t, bool) override {}
    void set_row_height(ss::row_t, double, orcus::length_unit_t) override {}
    void set_row_hidden(ss::row_t, bool) override {}
    void set_merge_cell_range(const ss::range_t&) override {}

private:
    // Column widths are kept in characters of the default font (7 pixels wide at 96 dots per inch,
    // plus 5 pixels of padding).
    static double inCharacters(double width, orcus::length_unit_t unit)
    {
        double inches = 0;
        switch (unit) {
        case orcus::length_unit_t::xlsx_column_digit: {
            // The file keeps the width with the padding added; take it off as the program does.
            const double pixels = std::round(width * 7);
            return pixels <= 12 ? pixels / 12 : (pixels - 5) / 7;
        }
        case orcus::length_unit_t::unknown: return width;
        case orcus::length_unit_t::centimeter: inches = width / 2.54; break;
        case orcus::length_unit_t::millimeter: inches = width / 25.4; break;
        case orcus::length_unit_t::inch: inches = width; break;
        case orcus::length_unit_t::point: inches = width / 72; break;
        case orcus::length_unit_t::twip: inches = width / 1440; break;
        case orcus::length_unit_t::pixel: inches = width / 96; break;
        }
        return std::max(0.0, std::round((inches * 96 - 5) / 7 * 100) / 100);
    }
    WorkbookSheet& sheet_;
};

struct ReadState {
    SharedStrings strings;
    Styles styles;
    PackageCheck* check = nullptr;
};

class Formula : public iface::import_formula {
public:
    Formula(WorkbookSheet& sheet, ReadState& state) : sheet_(sheet), state_(state) {}
    void set_position(ss::row_t row, ss::col_t col) override
    {
        cell_ = WorkbookCell{};
        row_ = int(row) + 1;
        column_ = int(col) + 1;
        shared_ = false;
    }
    void set_formula(ss::formula_grammar_t, std::string_view formula) override
    {
        cell_.formula = fromView(formula);
        if (cell_.formula.startsWith('='))
            cell_.formula.remove(0, 1);
    }
    void set_shared_formula_index(size_t) override { shared_ = true; }
    void set_result_string(std::string_view value) override
    {
        cell_.kind = WorkbookCell::Kind::Text;
        cell_.text = fromView(value);
    }
    void set_result_value(double value) override
    {
        if (std::isfinite(value)) {
            cell_.kind = WorkbookCell::Kind::Number;
            cell_.number = value;
        }
    }
    void set_result_bool(bool value) override
    {
        cell_.kind = WorkbookCell::Kind::Boolean;
        cell_.boolean = value;
    }
    void set_result_empty() override { cell_.kind = WorkbookCell::Kind::Empty; }
    void commit() override
    {
        // A cell sharing the formula of another holds no formula text of its own: it keeps its
        // result, and the workbook cannot be written back unchanged.
        if (shared_ && cell_.formula.isEmpty())
            state_.check->note(tr("formuły współdzielone"));
        sheet_.setCell(row_, column_, cell_);
    }

private:
    WorkbookSheet& sheet_;
    ReadState& state_;
    WorkbookCell cell_;
    int row_ = 0, column_ = 0;
    bool shared_ = false;
};

class ArrayFormula : public iface::import_array_formula {
public:
    ArrayFormula(WorkbookSheet& sheet, ReadState& state) : sheet_(sheet), state_(state) {}
    void set_range(const ss::range_t&) override {}
    void set_formula(ss::formula_grammar_t, std::string_view) override {}
    void set_result_string(ss::row_t row, ss::col_t col, std::string_view value) override
    {
        sheet_.setText(int(row) + 1, int(col) + 1, fromView(value));
    }
    void set_result_value(ss::row_t row, ss::col_t col, double value) override
    {
        sheet_.setNumber(int(row) + 1, int(col) + 1, value);
    }
    void set_result_bool(ss::row_t row, ss::col_t col, bool value) override
    {
        sheet_.setCell(int(row) + 1, int(col) + 1, WorkbookCell::ofBoolean(value));
    }
    void set_result_empty(ss::row_t row, ss::col_t col) override { sheet_.clearCell(int(row) + 1, int(col) + 1); }
    void commit() override { state_.check->note(tr("formuły tablicowe")); }

private:
    WorkbookSheet& sheet_;
    ReadState& state_;
};

class SheetImport : public iface::import_sheet {
public:
    SheetImport(WorkbookSheet& sheet, ReadState& state)
        : sheet_(sheet), state_(state), view_(active), properties_(sheet), formula_(sheet, state),
          arrayFormula_(sheet, state) {}

    bool active = false;

    iface::import_sheet_view* get_sheet_view() override { return &view_; }
    iface::import_sheet_properties* get_sheet_properties() override { return &properties_; }
    iface::import_formula* get_formula() override { return &formula_; }
    iface::import_array_formula* get_array_formula() override { return &arrayFormula_; }

    void set_auto(ss::row_t row, ss::col_t col, std::string_view s) override
    {
        const QString text = fromView(s);
        bool number = false;
        const double value = text.toDouble(&number);
        if (number && std::isfinite(value))
            sheet_.setNumber(int(row) + 1, int(col) + 1, value);
        else
            sheet_.setText(int(row) + 1, int(col) + 1, text);
    }
    void set_string(ss::row_t row, ss::col_t col, ss::string_id_t id) override
    {
        if (id < state_.strings.strings.size())
            sheet_.setText(int(row) + 1, int(col) + 1, state_.strings.strings[id]);
    }
    void set_value(ss::row_t row, ss::col_t col, double value) override
    {
        sheet_.setNumber(int(row) + 1, int(col) + 1, value);
    }
    void set_bool(ss::row_t row, ss::col_t col, bool value) override
    {
        sheet_.setCell(int(row) + 1, int(col) + 1, WorkbookCell::ofBoolean(value));
    }
    void set_date_time(ss::row_t row, ss::col_t col, int year, int month, int day, int hour, int minute,
                       double second) override
    {
        WorkbookCell cell = WorkbookCell::ofDate(year, month, day);
        cell.number += (hour * 3600 + minute * 60 + second) / 86400.0;
        sheet_.setCell(int(row) + 1, int(col) + 1, cell);
    }
    void set_format(ss::row_t row, ss::col_t col, size_t xf) override { set_format(row, col, row, col, xf); }
    void set_format(ss::row_t row1, ss::col_t col1, ss::row_t row2, ss::col_t col2, size_t xf) override
    {
        formats.push_back({int(row1) + 1, int(col1) + 1, int(row2) + 1, int(col2) + 1, xf});
    }

    // Cell formats named for ranges of cells, in the order given; applied once every cell is read.
    struct FormatRange {
        int row1, column1, row2, column2;
        size_t cellFormat;
    };
    std::vector<FormatRange> formats;

    void applyNumberFormats()
    {
        for (const FormatRange& range : formats) {
            const Styles::NumberFormat format = state_.styles.of(range.cellFormat);
            for (auto r = sheet_.rows().lower_bound(range.row1);
                 r != sheet_.rows().end() && r->first <= range.row2; ++r) {
                for (auto c = r->second.lower_bound(range.column1);
                     c != r->second.end() && c->first <= range.column2; ++c) {
                    WorkbookCell cell = c->second;
                    cell.numberFormat = format.code;
                    cell.builtinFormat = format.code.isEmpty() ? int(format.id) : 0;
                    sheet_.setCell(r->first, c->first, cell);
                }
            }
        }
    }
    void fill_down_cells(ss::row_t row, ss::col_t col, ss::row_t count) override
    {
        const WorkbookCell source = sheet_.cell(int(row) + 1, int(col) + 1);
        for (ss::row_t i = 1; i <= count; ++i)
            sheet_.setCell(int(row + i) + 1, int(col) + 1, source);
    }
    ss::range_size_t get_sheet_size() const override { return {1048576, 16384}; }

private:
    WorkbookSheet& sheet_;
    ReadState& state_;
    View view_;
    Properties properties_;
    Formula formula_;
    ArrayFormula arrayFormula_;
};

class Factory : public iface::import_factory {
public:
    explicit Factory(ReadState& state) : state_(state) {}

    // Each sheet and its importer stay where they are while further sheets come.
    std::vector<std::unique_ptr<WorkbookSheet>> sheets;
    std::vector<std::unique_ptr<SheetImport>> imports;

    iface::import_global_settings* get_global_settings() override { return &settings_; }
    iface::import_shared_strings* get_shared_strings() override { return &state_.strings; }
    iface::import_styles* get_styles() override { return &state_.styles; }
    iface::import_reference_resolver* get_reference_resolver(ss::formula_ref_context_t) override
    {
        return &references_;
    }
    iface::import_sheet* append_sheet(ss::sheet_t index, std::string_view name) override
    {
        if (index != ss::sheet_t(sheets.size()))
            return nullptr;
        sheets.push_back(std::make_unique<WorkbookSheet>(fromView(name)));
        imports.push_back(std::make_unique<SheetImport>(*sheets.back(), state_));
        return imports.back().get();
    }
    iface::import_sheet* get_sheet(std::string_view name) override
    {
        for (size_t i = 0; i < sheets.size(); ++i)
            if (sheets[i]->name() == fromView(name))
                return imports[i].get();
        return nullptr;
    }
    iface::import_sheet* get_sheet(ss::sheet_t index) override
    {
        return index >= 0 && index < ss::sheet_t(imports.size()) ? imports[size_t(index)].get() : nullptr;
    }
    void finalize() override {}

    Workbook takeWorkbook(const QString& activeSheet)
    {
        Workbook book;
        for (size_t i = 0; i < sheets.size(); ++i) {
            imports[i]->applyNumberFormats();
            if (imports[i]->active || sheets[i]->name() == activeSheet)
                book.setActiveSheet(int(i));
            book.addSheet(sheets[i]->name()) = std::move(*sheets[i]);
        }
        return book;
    }

private:
    ReadState& state_;
    Settings settings_;
    References references_;
};

} // namespace

bool isReadableWorkbookName(const QString& path)
{
    const Format format = formatOf(path);
    return format == Format::Xlsx || format == Format::Ods;
}

WorkbookReading readWorkbook(const QString& path)
{
    WorkbookReading reading;
    const Format format = formatOf(path);
    if (format == Format::Xls) {
        reading.refusal = tr("Plik %1 jest w starym formacie .xls.|Zapisz go w programie arkusza jako .xlsx "
                             "i wybierz ponownie.").arg(path);
        return reading;
    }
    if (format == Format::Other) {
        reading.refusal = tr("Plik %1 nie jest skoroszytem .xlsx, .xlsm ani .ods.").arg(path);
        return reading;
    }
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        reading.refusal = tr("Nie można otworzyć pliku %1.").arg(path);
        return reading;
    }
    const std::string localPath = QFile::encodeName(path).toStdString();
    PackageCheck check;
    ReadState state;
    state.check = &check;
    Factory factory(state);
    try {
        orcus::zip_archive_stream_fd stream(localPath.c_str());
        orcus::zip_archive zip(&stream);
        zip.load();
        if (format == Format::Xlsx)
            checkXlsxPackage(zip, check);
        else
            checkOdsPackage(zip, check);
        if (!check.refusal.isEmpty()) {
            reading.refusal = check.refusal;
            return reading;
        }
        if (format == Format::Xlsx) {
            orcus::orcus_xlsx filter(&factory);
            filter.read_file(localPath);
        } else {
            orcus::orcus_ods filter(&factory);
            filter.read_file(localPath);
        }
    } catch (const std::exception& e) {
        reading.refusal = tr("Nie udało się odczytać skoroszytu %1:|%2").arg(path, QString::fromUtf8(e.what()));
        return reading;
    }
    if (factory.sheets.empty()) {
        reading.refusal = tr("Skoroszyt %1 nie ma żadnego arkusza.").arg(path);
        return reading;
    }
    reading.workbook = factory.takeWorkbook(check.activeSheet);
    reading.notCarried = check.notCarried;
    return reading;
}

} // namespace global
