#include "textview/editor_model.h"

#include "textview/text_parser.h"
#include "textview/undo_obj.h"

TTextEditorModel::TTextEditorModel()
    : list_(std::make_unique<TTextEditorScreenStrings>(this)),
      lines_(std::make_unique<TTextEditorStrings>(*list_)) {
    auto recompute = [this](TNotifyPersistent&) {
        list_->RecomputeAllBrackets();
        SettingsChanged();
    };
    view_.OnChange = recompute;
    reserve_words_.OnChange = recompute;
    margin_.OnChange = [this](TNotifyPersistent&) { SettingsChanged(); };
    marks_.OnChange = [this](TNotifyPersistent&) { SettingsChanged(); };
    caret_.OnChange = [this](TNotifyPersistent&) { CaretMoved(); };
}

TTextEditorModel::~TTextEditorModel() {
    // The row list calls back into this object while it goes.
    lines_.reset();
    list_.reset();
}

void TTextEditorModel::SettingsChanged() { RecalcMetrics(); }

void TTextEditorModel::SetWordWrap(bool v) {
    if (word_wrap_ == v) return;
    word_wrap_ = v;
    if (loading_) return;
    list_->UndoObj().Clear();
    if (v)
        list_->WrapAll();
    else
        list_->UnwrapAll();
    SetCol(0);
}

int TTextEditorModel::UndoListMax() const { return list_->UndoObj().Limit(); }
void TTextEditorModel::SetUndoListMax(int v) { list_->UndoObj().SetLimit(v); }

void TTextEditorModel::SetRow(int r) {
    int n = list_->Count();
    if (r < 0) r = 0;
    if (r > n) r = n;
    if (r == n && n > 0 && list_->Attribute(n - 1) == raEof) r = n - 1;
    row_ = r;
    CaretMoved();
}

void TTextEditorModel::SetCol(int c) {
    col_ = c < 0 ? 0 : c;
    CaretMoved();
}

void TTextEditorModel::SetCaret(int row, int col) {
    SetRow(row);
    SetCol(col);
}

bool TTextEditorModel::CanUndo() const { return list_->UndoObj().CanUndo(); }
bool TTextEditorModel::CanRedo() const { return list_->UndoObj().CanRedo(); }

void TTextEditorModel::Undo() {
    EndSelection();
    list_->Undo();
}

void TTextEditorModel::Redo() {
    EndSelection();
    list_->Redo();
}

std::unique_ptr<TTextEditorParser> TTextEditorModel::CreateParser(int bracket_state,
                                                                  std::string_view text) const {
    return std::make_unique<TTextEditorParser>(&view_, bracket_state, text);
}

void TTextEditorModel::ListChanged() {
    modified_ = true;
    if (OnChange) OnChange(*this);
}

void TTextEditorModel::AfterRewrap() {
    RecalcMetrics();
    if (row_ > list_->Count()) SetRow(list_->Count());
}

void TTextEditorModel::Loaded() {
    loading_ = false;
    if (word_wrap_)
        list_->WrapAll();
    else
        list_->RecomputeAllBrackets();
    RecalcMetrics();
}
