// The text control's own context menu.
#include "textview/text_editor_win.h"

namespace {
TMenuItem* AddMenuItem(TPopupMenu* menu, const char* name, const char* caption, TNotifyEvent click) {
    auto* item = new TMenuItem(menu);
    item->Name = name;
    item->SetCaption(caption);
    item->OnClick = std::move(click);
    return menu->Items()->Add(item);
}
} // namespace

TTextEditorPopupMenu::TTextEditorPopupMenu(TTextEditor* editor) : TPopupMenu(editor), editor_(editor) {
    Name = "TextEditorPopupMenu";
    Undo = AddMenuItem(this, "Undo", "元に戻す(&U)", [this](TObject*) { editor_->Undo(); });
    Redo = AddMenuItem(this, "Redo", "やり直し(&R)", [this](TObject*) { editor_->Redo(); });
    AddMenuItem(this, "N1", "-", nullptr);
    Cut = AddMenuItem(this, "Cut", "切り取り(&T)", [this](TObject*) { editor_->CutToClipboard(); });
    Copy = AddMenuItem(this, "Copy", "コピー(&C)", [this](TObject*) { editor_->CopyToClipboard(); });
    Paste = AddMenuItem(this, "Paste", "貼り付け(&P)", [this](TObject*) { editor_->PasteFromClipboard(); });
    BoxPaste = AddMenuItem(this, "BoxPaste", "Box貼り付け(&B)",
                           [this](TObject*) { editor_->BoxPasteFromClipboard(); });
    Delete = AddMenuItem(this, "Delete", "削除(&D)", [this](TObject*) { editor_->DeleteSelection(); });
    AddMenuItem(this, "N2", "-", nullptr);
    SelectAll = AddMenuItem(this, "SelectAll", "すべて選択(&A)", [this](TObject*) { editor_->SelectAll(); });
    AddMenuItem(this, "N3", "-", nullptr);
    BoxMode = AddMenuItem(this, "BoxMode", "Box選択モード(&K)",
                          [this](TObject*) { editor_->SetSelectionMode(!editor_->BoxMode()); });
    OnPopup = [this](TObject*) { UpdateItems(); };
}

void TTextEditorPopupMenu::UpdateItems() {
    const bool writable = !editor_->ReadOnly();
    const bool selected = editor_->Selected();
    const bool clip = IsClipboardFormatAvailable(CF_TEXT) != FALSE;
    Undo->SetEnabled(writable && editor_->CanUndo());
    Redo->SetEnabled(writable && editor_->CanRedo());
    Cut->SetEnabled(writable && selected);
    Delete->SetEnabled(writable && selected);
    Copy->SetEnabled(selected);
    Paste->SetEnabled(writable && clip);
    BoxPaste->SetEnabled(writable && clip);
    SelectAll->SetEnabled(editor_->List().Count() > 0);
    BoxMode->SetChecked(editor_->BoxMode());
}
