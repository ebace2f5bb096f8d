#include "pure/dialog_model.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "pure/colours.h"
#include "pure/drawing.h"
#include "pure/text.h"

namespace host {

namespace {

using Wide = long long;  // for sums of a module's coordinates, which may lie anywhere in their range

constexpr int ShadowWidth = 2;  // columns right of the dialog
constexpr int ShadowHeight = 1;  // rows below it
constexpr uint8_t ShadowAttribute = 0x08;
constexpr int ButtonGap = 1;     // between buttons centred on one row

// Position of the hot-key marker in the text, or npos.
size_t MarkerOf(const DialogItem& item) {
    if (item.showAmpersand || item.type == dialog::Frame || item.type == dialog::SingleFrame) return std::string::npos;
    const size_t marker = item.text.find('&');
    return marker != std::string::npos && marker + 1 < item.text.size() ? marker : std::string::npos;
}

uint8_t Highlighted(uint8_t attribute) {
    return static_cast<uint8_t>((attribute & 0xF0) | (HostColour(colour::DialogHighlight) & 0x0F));
}

bool IsButton(const DialogItem& item) { return item.type == dialog::Button; }
bool IsFrame(const DialogItem& item) { return item.type == dialog::Frame || item.type == dialog::SingleFrame; }

std::string ButtonFace(const DialogItem& item, const std::string& shown) {
    return item.noBrackets ? shown : "[ " + shown + " ]";
}

// "[x] " or "(•) " before a check box's or radio button's text; its last blank only when text follows.
std::string MarkFace(const DialogItem& item, bool withText) {
    const bool check = item.type == dialog::CheckBox;
    std::string face = check ? "[ ]" : "( )";
    if (item.selected) {
        face.erase(1, 1);
        if (check) {
            face.insert(1, "x");
        } else {
            std::string mark;
            AppendUtf8(&mark, dialog::RadioMark);
            face.insert(1, mark);
        }
    }
    return withText ? face + " " : face;
}

// The cells of `within` that the span from (left, top) to (right, bottom) covers; empty when none.
Rect Intersect(Wide left, Wide top, Wide right, Wide bottom, const Rect& within) {
    left = std::max<Wide>(left, within.left);
    top = std::max<Wide>(top, within.top);
    right = std::min<Wide>(right, within.right);
    bottom = std::min<Wide>(bottom, within.bottom);
    if (left > right || top > bottom) return Rect{};
    return Rect{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom)};
}

}  // namespace

std::vector<DialogItem> ItemsFromClassic(const HostDialogItem* items, int count) {
    std::vector<DialogItem> copied;
    for (int i = 0; items && i < count; ++i) {
        const HostDialogItem& from = items[i];
        DialogItem item;
        item.type = from.type;
        item.x1 = from.x1;
        item.y1 = from.y1;
        item.x2 = from.x2;
        item.y2 = from.y2;
        item.selected = from.selected;
        // The text up to its terminator, never beyond the data field.
        item.text = Utf8FromOem(std::string_view(from.data, strnlen(from.data, sizeof from.data)));
        item.separator = (from.flags & dialog::Separator) != 0;
        item.doubleSeparator = item.separator && (from.flags & dialog::DoubleSeparator) != 0;
        item.group = (from.flags & dialog::Group) != 0;
        item.centred = (from.flags & dialog::Centred) != 0;
        item.noBrackets = (from.flags & dialog::NoBrackets) != 0;
        item.disabled = (from.flags & dialog::Disabled) != 0;
        item.defaultButton = from.defaultButton != 0;
        item.focus = from.focus != 0;
        copied.push_back(std::move(item));
    }
    return copied;
}

void WriteBackToClassic(const std::vector<DialogItem>& from, HostDialogItem* to, int count) {
    for (int i = 0; to && i < count && i < static_cast<int>(from.size()); ++i) {
        const DialogItem& item = from[static_cast<size_t>(i)];
        to[i].selected = item.selected;
        to[i].focus = item.focus ? 1 : 0;
        to[i].flags = item.disabled ? to[i].flags | dialog::Disabled : to[i].flags & ~dialog::Disabled;
    }
}

std::vector<DialogItem> ItemsFromWide(const wide::DialogLine* items, size_t count) {
    namespace flag = wide::dialogLineFlag;
    std::vector<DialogItem> copied;
    for (size_t i = 0; items && i < count; ++i) {
        const wide::DialogLine& from = items[i];
        DialogItem item;
        item.type = from.type;
        item.x1 = from.x1;
        item.y1 = from.y1;
        item.x2 = from.x2;
        item.y2 = from.y2;
        item.selected = from.type == dialog::CheckBox || from.type == dialog::RadioButton ? (from.selected != 0) : 0;
        item.text = from.text ? Utf8FromWide(from.text) : std::string();
        item.separator = (from.flags & flag::Separator) != 0;
        item.group = (from.flags & flag::Group) != 0;
        item.centred = (from.flags & flag::Centred) != 0;
        item.showAmpersand = (from.flags & flag::ShowAmpersand) != 0;
        item.disabled = (from.flags & flag::Disabled) != 0;
        item.hidden = (from.flags & flag::Hidden) != 0;
        item.noFocus = (from.flags & flag::NoFocus) != 0;
        item.defaultButton = (from.flags & flag::DefaultButton) != 0;
        item.focus = (from.flags & flag::Focus) != 0;
        copied.push_back(std::move(item));
    }
    return copied;
}

DialogModel::DialogModel(std::vector<DialogItem> items, long long x1, long long y1, long long x2, long long y2,
                         int screenWidth, int screenHeight)
    : items_(std::move(items)), x1_(x1), y1_(y1), x2_(x2), y2_(y2) {
    Place(screenWidth, screenHeight);
    for (int i = 0; i < Count() && focus_ < 0; ++i)
        if (Item(i).focus && Focusable(i)) focus_ = i;
    if (focus_ < 0) focus_ = NextFocusable(-1, 1);
    SetFocus(focus_);
}

void DialogModel::Place(int screenWidth, int screenHeight) {
    const Rect screen{0, 0, screenWidth - 1, screenHeight - 1};
    if (x1_ < 0 || y1_ < 0) {
        // A dialog larger than the screen (a long translation widens it) is capped at the screen's size.
        const Wide width = std::clamp<Wide>(x2_, 1, std::max(screenWidth, 1));
        const Wide height = std::clamp<Wide>(y2_, 1, std::max(screenHeight, 1));
        const Wide left = std::max<Wide>(0, (screenWidth - width) / 2);
        const Wide top = std::max<Wide>(0, (screenHeight - height) / 2);
        area_ = Intersect(left, top, left + width - 1, top + height - 1, screen);
    } else {
        area_ = Intersect(x1_, y1_, std::max(x2_, x1_), std::max(y2_, y1_), screen);
    }
    Layout();
}

Rect DialogModel::AreaWithShadow() const {
    return Rect{area_.left, area_.top, area_.right + ShadowWidth, area_.bottom + ShadowHeight};
}

int DialogModel::FrameIndex() const {
    for (int i = 0; i < Count(); ++i)
        if (IsFrame(Item(i)) && !Item(i).hidden) return i;
    return -1;
}

void DialogModel::Layout() {
    // Items are placed from the dialog's corner, which lies on the screen, with the module's numbers taken
    // wide (they may be anything), and then cut to the dialog.
    spans_.assign(items_.size(), Span{0, 0, -1, -1});
    const int frame = FrameIndex();
    const Wide left0 = area_.left;
    const Wide top0 = area_.top;
    for (int i = 0; i < Count(); ++i) {
        const DialogItem& item = Item(i);
        if (item.hidden) continue;
        const Wide width = Cells(ShownText(i));
        const Wide y = top0 + item.y1;
        Wide left = left0 + item.x1;
        switch (item.type) {
        case dialog::Frame:
        case dialog::SingleFrame:
            spans_[i] = Span{left, y, left0 + item.x2, top0 + item.y2};
            break;
        case dialog::Text:
            if (item.separator) {
                spans_[i] = frame >= 0 && frame != i ? Span{left0 + Item(frame).x1, y, left0 + Item(frame).x2, y}
                                                     : Span{area_.left, y, area_.right, y};
                break;
            }
            if (item.centred) left = left0 + (area_.Width() - width) / 2;
            spans_[i] = Span{left, y, left + width - 1, y};
            break;
        case dialog::CheckBox:
        case dialog::RadioButton:
            spans_[i] = Span{left, y, left + Cells(MarkFace(item, width > 0)) + width - 1, y};
            break;
        case dialog::Button:
            spans_[i] = Span{left, y, left + static_cast<Wide>(Cells(ButtonFace(item, ShownText(i)))) - 1, y};
            break;
        default:
            break;
        }
    }
    // Centred buttons share their row: the whole group is centred, in table order, one cell apart.
    std::vector<bool> placed(items_.size(), false);
    const auto centredButton = [&](int i) { return IsButton(Item(i)) && Item(i).centred && !Item(i).hidden; };
    for (int i = 0; i < Count(); ++i) {
        if (placed[i] || !centredButton(i)) continue;
        std::vector<int> group;
        for (int j = i; j < Count(); ++j)
            if (centredButton(j) && Item(j).y1 == Item(i).y1) group.push_back(j);
        Wide total = -ButtonGap;
        for (int j : group) total += spans_[j].right - spans_[j].left + 1 + ButtonGap;
        Wide x = left0 + (area_.Width() - total) / 2;
        for (int j : group) {
            const Wide width = spans_[j].right - spans_[j].left + 1;
            spans_[j].left = x;
            spans_[j].right = x + width - 1;
            x += width + ButtonGap;
            placed[j] = true;
        }
    }
    rects_.assign(items_.size(), Rect{});
    for (int i = 0; i < Count(); ++i) {
        const Span& span = spans_[i];
        rects_[i] = Intersect(span.left, span.top, span.right, span.bottom, area_);
    }
}

Rect DialogModel::ItemRect(int index) const {
    return index >= 0 && index < Count() ? rects_[index] : Rect{};
}

std::string DialogModel::ShownText(int index) const {
    if (index < 0 || index >= Count()) return {};
    const DialogItem& item = Item(index);
    const size_t marker = MarkerOf(item);
    return marker == std::string::npos ? item.text : item.text.substr(0, marker) + item.text.substr(marker + 1);
}

char DialogModel::HotKey(int index) const {
    if (index < 0 || index >= Count()) return 0;
    const size_t marker = MarkerOf(Item(index));
    if (marker == std::string::npos) return 0;
    return static_cast<char>(std::tolower(static_cast<unsigned char>(Item(index).text[marker + 1])));
}

int32_t DialogModel::TypeOf(int index) const { return index >= 0 && index < Count() ? Item(index).type : -1; }

bool DialogModel::Enabled(int index) const { return index >= 0 && index < Count() && !Item(index).disabled; }

bool DialogModel::Clickable(int index) const {
    if (!Enabled(index) || Item(index).hidden) return false;
    const int32_t type = Item(index).type;
    return type == dialog::Button || type == dialog::CheckBox || type == dialog::RadioButton;
}

bool DialogModel::Focusable(int index) const { return Clickable(index) && !Item(index).noFocus; }

void DialogModel::SetFocus(int index) {
    if (index >= 0 && !Focusable(index)) return;
    focus_ = index;
    for (int i = 0; i < Count(); ++i) items_[static_cast<size_t>(i)].focus = i == focus_;
}

int DialogModel::NextFocusable(int from, int step) const {
    const int count = Count();
    for (int n = 1; n <= count; ++n) {
        const int i = ((from + step * n) % count + count) % count;
        if (Focusable(i)) return i;
    }
    return -1;
}

bool DialogModel::Enable(int index, bool enabled) {
    if (index < 0 || index >= Count()) return false;
    const bool was = Enabled(index);
    items_[static_cast<size_t>(index)].disabled = !enabled;
    if (!enabled && index == focus_) SetFocus(NextFocusable(index, 1));
    if (enabled && focus_ < 0 && Focusable(index)) SetFocus(index);
    return was;
}

int DialogModel::SetState(int index, int state) {
    if (index < 0 || index >= Count()) return 0;
    DialogItem& item = items_[static_cast<size_t>(index)];
    const int was = item.selected;
    item.selected = state != 0;
    return was;
}

bool DialogModel::SetText(int index, std::string text) {
    if (index < 0 || index >= Count()) return false;
    items_[static_cast<size_t>(index)].text = std::move(text);
    Layout();
    return true;
}

void DialogModel::GroupOf(int index, int* first, int* last) const {
    *first = *last = index;
    if (index < 0 || index >= Count() || Item(index).type != dialog::RadioButton) return;
    while (!Item(*first).group && *first > 0 && Item(*first - 1).type == dialog::RadioButton) --*first;
    while (*last + 1 < Count() && Item(*last + 1).type == dialog::RadioButton && !Item(*last + 1).group) ++*last;
}

DialogAction DialogModel::Activate(int index) {
    if (!Clickable(index)) return {};
    DialogItem& item = items_[static_cast<size_t>(index)];
    switch (item.type) {
    case dialog::CheckBox:
        item.selected = item.selected ? 0 : 1;
        return {DialogAction::Changed, index, item.selected};
    case dialog::RadioButton: {
        if (item.selected) return {};
        int first, last;
        GroupOf(index, &first, &last);
        for (int i = first; i <= last; ++i) items_[static_cast<size_t>(i)].selected = 0;
        item.selected = 1;
        return {DialogAction::Changed, index, 1};
    }
    case dialog::Button:
        return {DialogAction::Chosen, index, 0};
    default:
        return {};
    }
}

int DialogModel::DefaultButton() const {
    for (int i = 0; i < Count(); ++i)
        if (IsButton(Item(i)) && Item(i).defaultButton && Enabled(i) && !Item(i).hidden) return i;
    return -1;
}

DialogAction DialogModel::Key(DialogKey key, char character) {
    switch (key) {
    case DialogKey::Tab:
    case DialogKey::Down:
    case DialogKey::Right:
        SetFocus(NextFocusable(focus_, 1));
        return {};
    case DialogKey::BackTab:
    case DialogKey::Up:
    case DialogKey::Left:
        SetFocus(NextFocusable(focus_ < 0 ? 0 : focus_, -1));
        return {};
    case DialogKey::Space:
        return Activate(focus_);
    case DialogKey::Enter:
        if (focus_ >= 0 && IsButton(Item(focus_))) return Activate(focus_);
        return DefaultButton() >= 0 ? DialogAction{DialogAction::Chosen, DefaultButton(), 0} : DialogAction{};
    case DialogKey::Escape:
        return {DialogAction::Cancel, -1, 0};
    case DialogKey::Character: {
        const char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
        if (!wanted) return {};
        for (int i = 0; i < Count(); ++i)
            if (Clickable(i) && HotKey(i) == wanted) {
                SetFocus(i);
                return Activate(i);
            }
        return {};
    }
    }
    return {};
}

DialogAction DialogModel::Click(int x, int y) {
    for (int i = 0; i < Count(); ++i)
        if (Clickable(i) && rects_[i].Contains(x, y)) {
            SetFocus(i);
            return Activate(i);
        }
    return {};
}

void DialogModel::Draw(ScreenBuffer& screen) const {
    const uint8_t box = HostColour(colour::DialogBox);
    const uint8_t text = HostColour(colour::DialogText);
    const uint8_t disabled = HostColour(colour::DialogDisabled);
    const uint8_t frameColour = HostColour(colour::DialogFrame);
    if (area_.Empty()) return;

    screen.SetAttribute(Rect{area_.right + 1, area_.top + ShadowHeight, area_.right + ShadowWidth, area_.bottom + ShadowHeight},
                        ShadowAttribute);
    screen.SetAttribute(Rect{area_.left + ShadowWidth, area_.bottom + 1, area_.right, area_.bottom + ShadowHeight},
                        ShadowAttribute);
    screen.Fill(area_, Cell{' ', box});

    // Writes an item's text glyph by glyph from the start of its span with its hot-key letter (at byte hotKeyAt
    // of shown) highlighted, only on the cells the item keeps after clipping; a two-cell glyph the item's edge
    // would cut leaves a space.
    const auto put = [&](int index, uint8_t attribute, std::string_view shown, Wide hotKeyAt, bool enabled) {
        const Rect& rect = rects_[index];
        Wide x = spans_[index].left;
        size_t at = 0;
        for (GlyphSpan glyph = FirstGlyph(shown); glyph.bytes > 0; glyph = FirstGlyph(shown.substr(at))) {
            const bool hot = enabled && static_cast<Wide>(at) == hotKeyAt;
            const uint8_t colour = hot ? Highlighted(attribute) : attribute;
            if (x >= rect.left && x + glyph.cells - 1 <= rect.right) {
                screen.PutText(static_cast<int>(x), rect.top, colour, shown.data() + at, static_cast<int>(glyph.bytes));
            } else {
                for (Wide cell = x; cell < x + glyph.cells; ++cell)
                    if (cell >= rect.left && cell <= rect.right) screen.SetCell(static_cast<int>(cell), rect.top, Cell{' ', colour});
            }
            x += glyph.cells;
            at += glyph.bytes;
        }
    };

    for (int i = 0; i < Count(); ++i) {
        const DialogItem& item = Item(i);
        const Rect& rect = rects_[i];
        if (rect.Empty() || item.hidden) continue;
        const bool enabled = Enabled(i);
        const std::string shown = ShownText(i);
        const size_t marker = MarkerOf(item);
        const Wide hotKeyAt = marker == std::string::npos ? -1 : static_cast<Wide>(marker);
        switch (item.type) {
        case dialog::Frame:
        case dialog::SingleFrame: {
            DrawFrame(screen, rect, frameColour, {}, item.type == dialog::SingleFrame);
            if (!shown.empty() && rect.Width() >= 6)
                DrawCentred(screen, rect.left + 1, rect.right - 1, rect.top, HostColour(colour::DialogTitle),
                            " " + std::string(Cut(shown, rect.Width() - 6)) + " ");
            break;
        }
        case dialog::Text:
            if (item.separator) {
                const bool twin = item.doubleSeparator;
                const int frame = FrameIndex();
                const bool joins = frame >= 0 && frame != i;
                const bool singleFrame = joins && Item(frame).type == dialog::SingleFrame;
                const uint8_t line = HostColour(colour::DialogSeparator);
                for (int x = rect.left; x <= rect.right; ++x)
                    screen.SetCell(x, rect.top, Cell{twin ? glyph::DoubleHorizontal : glyph::SingleHorizontal, line});
                if (joins) {
                    screen.SetCell(rect.left, rect.top,
                                   Cell{twin ? glyph::DoubleVerticalDoubleRight
                                        : singleFrame ? glyph::SingleVerticalSingleRight
                                                      : glyph::DoubleVerticalSingleRight,
                                        line});
                    screen.SetCell(rect.right, rect.top,
                                   Cell{twin ? glyph::DoubleVerticalDoubleLeft
                                        : singleFrame ? glyph::SingleVerticalSingleLeft
                                                      : glyph::DoubleVerticalSingleLeft,
                                        line});
                }
                if (!shown.empty()) DrawCentred(screen, rect.left + 1, rect.right - 1, rect.top, enabled ? text : disabled, shown);
                break;
            }
            put(i, enabled ? text : disabled, shown, hotKeyAt, enabled);
            break;
        case dialog::CheckBox:
        case dialog::RadioButton: {
            const uint8_t attribute = !enabled ? disabled : i == focus_ ? HostColour(colour::DialogSelected) : text;
            const std::string face = MarkFace(item, !shown.empty());
            put(i, attribute, face + shown, hotKeyAt < 0 ? -1 : hotKeyAt + static_cast<Wide>(face.size()), enabled);
            break;
        }
        case dialog::Button: {
            const uint8_t attribute = !enabled         ? disabled
                                      : i == focus_    ? HostColour(colour::DialogFocusButton)
                                                       : HostColour(colour::DialogButton);
            const Wide offset = item.noBrackets ? 0 : 2;
            put(i, attribute, ButtonFace(item, shown), hotKeyAt < 0 ? -1 : hotKeyAt + offset, enabled);
            break;
        }
        default:
            break;
        }
    }
}

}  // namespace host
