#include "pure/dialog_model.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "pure/colours.h"
#include "pure/drawing.h"

namespace host {

namespace {

using Wide = long long;  // for sums of a module's coordinates, which may lie anywhere in int's range

constexpr int ShadowWidth = 2;  // columns right of the dialog
constexpr int ShadowHeight = 1;  // rows below it
constexpr uint8_t ShadowAttribute = 0x08;
constexpr int MarkWidth = 4;     // "[x] " or "(*) " before a check box's or radio button's text
constexpr int ButtonGap = 1;     // between buttons centred on one row

// The item's text up to its terminator, never beyond the data field.
std::string DataOf(const HostDialogItem& item) { return std::string(item.data, strnlen(item.data, sizeof item.data)); }

// Position of the hot-key marker in the text, or npos.
size_t MarkerOf(const std::string& text) {
    const size_t marker = text.find('&');
    return marker + 1 < text.size() ? marker : std::string::npos;
}

std::string WithoutMarker(const std::string& text) {
    const size_t marker = MarkerOf(text);
    return marker == std::string::npos ? text : text.substr(0, marker) + text.substr(marker + 1);
}

uint8_t Highlighted(uint8_t attribute) {
    return static_cast<uint8_t>((attribute & 0xF0) | (HostColour(colour::DialogHighlight) & 0x0F));
}

bool IsButton(const HostDialogItem& item) { return item.type == dialog::Button; }

std::string ButtonFace(const HostDialogItem& item, const std::string& shown) {
    return (item.flags & dialog::NoBrackets) ? shown : "[ " + shown + " ]";
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

DialogModel::DialogModel(HostDialogItem* items, int count, int x1, int y1, int x2, int y2, int screenWidth,
                         int screenHeight)
    : items_(items), count_(items ? std::max(count, 0) : 0), x1_(x1), y1_(y1), x2_(x2), y2_(y2) {
    Place(screenWidth, screenHeight);
    for (int i = 0; i < count_ && focus_ < 0; ++i)
        if (Item(i).focus && Focusable(i)) focus_ = i;
    if (focus_ < 0) focus_ = NextFocusable(-1, 1);
    SetFocus(focus_);
}

void DialogModel::Place(int screenWidth, int screenHeight) {
    const Rect screen{0, 0, screenWidth - 1, screenHeight - 1};
    if (x1_ < 0 || y1_ < 0) {
        // A dialog larger than the screen (a long translation widens it) is capped at the screen's size.
        const int width = std::clamp(x2_, 1, std::max(screenWidth, 1));
        const int height = std::clamp(y2_, 1, std::max(screenHeight, 1));
        const Wide left = std::max(0, (screenWidth - width) / 2);
        const Wide top = std::max(0, (screenHeight - height) / 2);
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
    for (int i = 0; i < count_; ++i)
        if (Item(i).type == dialog::Frame) return i;
    return -1;
}

void DialogModel::Layout() {
    // Items are placed from the dialog's corner, which lies on the screen, with the module's numbers taken
    // wide (they may be anything), and then cut to the dialog.
    spans_.assign(static_cast<size_t>(count_), Span{0, 0, -1, -1});
    const int frame = FrameIndex();
    const Wide left0 = area_.left;
    const Wide top0 = area_.top;
    for (int i = 0; i < count_; ++i) {
        const HostDialogItem& item = Item(i);
        const Wide width = static_cast<Wide>(ShownText(i).size());
        const Wide y = top0 + item.y1;
        Wide left = left0 + item.x1;
        switch (item.type) {
        case dialog::Frame:
            spans_[i] = Span{left, y, left0 + item.x2, top0 + item.y2};
            break;
        case dialog::Text:
            if (item.flags & dialog::Separator) {
                spans_[i] = frame >= 0 && frame != i ? Span{left0 + Item(frame).x1, y, left0 + Item(frame).x2, y}
                                                     : Span{area_.left, y, area_.right, y};
                break;
            }
            if (item.flags & dialog::Centred) left = left0 + (area_.Width() - width) / 2;
            spans_[i] = Span{left, y, left + width - 1, y};
            break;
        case dialog::CheckBox:
        case dialog::RadioButton:
            spans_[i] = Span{left, y, left + (width ? MarkWidth + width : MarkWidth - 1) - 1, y};
            break;
        case dialog::Button:
            spans_[i] = Span{left, y, left + static_cast<Wide>(ButtonFace(item, ShownText(i)).size()) - 1, y};
            break;
        default:
            break;
        }
    }
    // Centred buttons share their row: the whole group is centred, in table order, one cell apart.
    std::vector<bool> placed(static_cast<size_t>(count_), false);
    for (int i = 0; i < count_; ++i) {
        if (placed[i] || !IsButton(Item(i)) || !(Item(i).flags & dialog::Centred)) continue;
        std::vector<int> group;
        for (int j = i; j < count_; ++j)
            if (IsButton(Item(j)) && (Item(j).flags & dialog::Centred) && Item(j).y1 == Item(i).y1) group.push_back(j);
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
    rects_.assign(static_cast<size_t>(count_), Rect{});
    for (int i = 0; i < count_; ++i) {
        const Span& span = spans_[i];
        rects_[i] = Intersect(span.left, span.top, span.right, span.bottom, area_);
    }
}

Rect DialogModel::ItemRect(int index) const {
    return index >= 0 && index < count_ ? rects_[index] : Rect{};
}

std::string DialogModel::ShownText(int index) const {
    if (index < 0 || index >= count_) return {};
    const std::string text = DataOf(Item(index));
    return Item(index).type == dialog::Frame ? text : WithoutMarker(text);
}

char DialogModel::HotKey(int index) const {
    if (index < 0 || index >= count_ || Item(index).type == dialog::Frame) return 0;
    const std::string text = DataOf(Item(index));
    const size_t marker = MarkerOf(text);
    if (marker == std::string::npos) return 0;
    return static_cast<char>(std::tolower(static_cast<unsigned char>(text[marker + 1])));
}

int32_t DialogModel::TypeOf(int index) const { return index >= 0 && index < count_ ? Item(index).type : -1; }

bool DialogModel::Enabled(int index) const {
    return index >= 0 && index < count_ && !(Item(index).flags & dialog::Disabled);
}

bool DialogModel::Focusable(int index) const {
    if (!Enabled(index)) return false;
    const int32_t type = Item(index).type;
    return type == dialog::Button || type == dialog::CheckBox || type == dialog::RadioButton;
}

void DialogModel::SetFocus(int index) {
    if (index >= 0 && !Focusable(index)) return;
    focus_ = index;
    for (int i = 0; i < count_; ++i) Item(i).focus = i == focus_ ? 1 : 0;
}

int DialogModel::NextFocusable(int from, int step) const {
    for (int n = 1; n <= count_; ++n) {
        const int i = ((from + step * n) % count_ + count_) % count_;
        if (Focusable(i)) return i;
    }
    return -1;
}

bool DialogModel::Enable(int index, bool enabled) {
    if (index < 0 || index >= count_) return false;
    const bool was = Enabled(index);
    if (enabled)
        Item(index).flags &= ~dialog::Disabled;
    else
        Item(index).flags |= dialog::Disabled;
    if (!enabled && index == focus_) SetFocus(NextFocusable(index, 1));
    if (enabled && focus_ < 0 && Focusable(index)) SetFocus(index);
    return was;
}

void DialogModel::GroupOf(int index, int* first, int* last) const {
    *first = *last = index;
    if (index < 0 || index >= count_ || Item(index).type != dialog::RadioButton) return;
    while (!(Item(*first).flags & dialog::Group) && *first > 0 && Item(*first - 1).type == dialog::RadioButton)
        --*first;
    while (*last + 1 < count_ && Item(*last + 1).type == dialog::RadioButton && !(Item(*last + 1).flags & dialog::Group))
        ++*last;
}

DialogAction DialogModel::Activate(int index) {
    if (!Focusable(index)) return {};
    HostDialogItem& item = Item(index);
    switch (item.type) {
    case dialog::CheckBox:
        item.selected = item.selected ? 0 : 1;
        return {DialogAction::Changed, index, item.selected};
    case dialog::RadioButton: {
        if (item.selected) return {};
        int first, last;
        GroupOf(index, &first, &last);
        for (int i = first; i <= last; ++i) Item(i).selected = 0;
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
    for (int i = 0; i < count_; ++i)
        if (IsButton(Item(i)) && Item(i).defaultButton && Enabled(i)) return i;
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
        for (int i = 0; i < count_; ++i)
            if (Focusable(i) && HotKey(i) == wanted) {
                SetFocus(i);
                return Activate(i);
            }
        return {};
    }
    }
    return {};
}

DialogAction DialogModel::Click(int x, int y) {
    for (int i = 0; i < count_; ++i)
        if (Focusable(i) && rects_[i].Contains(x, y)) {
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

    // Writes an item's text from the start of its span with its hot-key letter highlighted, only on the cells
    // the item keeps after clipping.
    const auto put = [&](int index, uint8_t attribute, const std::string& shown, int hotKeyAt, bool enabled) {
        const Rect& rect = rects_[index];
        const Wide start = spans_[index].left;
        for (size_t i = 0; i < shown.size(); ++i) {
            const Wide x = start + static_cast<Wide>(i);
            if (x < rect.left || x > rect.right) continue;
            const bool hot = enabled && static_cast<Wide>(i) == hotKeyAt;
            screen.SetCell(static_cast<int>(x), rect.top, Cell{shown[i], hot ? Highlighted(attribute) : attribute});
        }
    };

    for (int i = 0; i < count_; ++i) {
        const HostDialogItem& item = Item(i);
        const Rect& rect = rects_[i];
        if (rect.Empty()) continue;
        const bool enabled = Enabled(i);
        const std::string shown = ShownText(i);
        const size_t marker = MarkerOf(DataOf(item));
        const int hotKeyAt = marker == std::string::npos ? -1 : static_cast<int>(marker);
        switch (item.type) {
        case dialog::Frame: {
            DrawFrame(screen, rect, frameColour);
            if (!shown.empty() && rect.Width() >= 6)
                DrawCentred(screen, rect.left + 1, rect.right - 1, rect.top, HostColour(colour::DialogTitle),
                            " " + std::string(Cut(shown, rect.Width() - 6)) + " ");
            break;
        }
        case dialog::Text:
            if (item.flags & dialog::Separator) {
                const bool twin = (item.flags & dialog::DoubleSeparator) != 0;
                const int frame = FrameIndex();
                const bool joins = frame >= 0 && frame != i;
                const uint8_t line = HostColour(colour::DialogSeparator);
                for (int x = rect.left; x <= rect.right; ++x)
                    screen.SetCell(x, rect.top, Cell{twin ? glyph::DoubleHorizontal : glyph::SingleHorizontal, line});
                if (joins) {
                    screen.SetCell(rect.left, rect.top, Cell{twin ? '\xCC' : glyph::DoubleVerticalSingleRight, line});
                    screen.SetCell(rect.right, rect.top, Cell{twin ? '\xB9' : glyph::DoubleVerticalSingleLeft, line});
                }
                if (!shown.empty()) DrawCentred(screen, rect.left + 1, rect.right - 1, rect.top, enabled ? text : disabled, shown);
                break;
            }
            put(i, enabled ? text : disabled, shown, hotKeyAt, enabled);
            break;
        case dialog::CheckBox:
        case dialog::RadioButton: {
            const bool check = item.type == dialog::CheckBox;
            const uint8_t attribute = !enabled ? disabled : i == focus_ ? HostColour(colour::DialogSelected) : text;
            std::string face = check ? "[ ] " : "( ) ";
            if (item.selected) face[1] = check ? 'x' : dialog::RadioMark;
            if (shown.empty()) face.pop_back();
            put(i, attribute, face + shown, hotKeyAt < 0 ? -1 : hotKeyAt + MarkWidth, enabled);
            break;
        }
        case dialog::Button: {
            const uint8_t attribute = !enabled         ? disabled
                                      : i == focus_    ? HostColour(colour::DialogFocusButton)
                                                       : HostColour(colour::DialogButton);
            const int offset = (item.flags & dialog::NoBrackets) ? 0 : 2;
            put(i, attribute, ButtonFace(item, shown), hotKeyAt < 0 ? -1 : hotKeyAt + offset, enabled);
            break;
        }
        default:
            break;
        }
    }
}

}  // namespace host
