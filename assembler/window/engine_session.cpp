#include "window/engine_session.h"

#include "text/shift_jis.h"

namespace flikkor {

namespace {

std::string utf8(const QString& text) { return text.toStdString(); }
QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Whole non-negative number of a box text the engine has filled; 0 otherwise.
int boxNumber(const std::string& text) {
  bool ok = false;
  const int value = QString::fromStdString(text).toInt(&ok);
  return ok ? value : 0;
}

}  // namespace

gifengine::MessageAnswer EngineSession::PrompterReporter::ShowMessage(std::string_view caption, std::string_view text,
                                                                      gifengine::MessageButtons buttons) {
  if (prompter == nullptr) return gifengine::MessageAnswer::Ok;
  const MessageButtons shown = buttons == gifengine::MessageButtons::YesNo      ? MessageButtons::YesNo
                               : buttons == gifengine::MessageButtons::OkCancel ? MessageButtons::OkCancel
                                                                                : MessageButtons::Ok;
  switch (prompter->show(fromUtf8(caption), fromUtf8(text), shown)) {
    case MessageAnswer::Cancel: return gifengine::MessageAnswer::Cancel;
    case MessageAnswer::Yes: return gifengine::MessageAnswer::Yes;
    case MessageAnswer::No: return gifengine::MessageAnswer::No;
    case MessageAnswer::Ok: break;
  }
  return gifengine::MessageAnswer::Ok;
}

std::optional<std::string> EngineSession::CallbackSaveChooser::ChooseSaveFile(const gifengine::SaveDialogRequest&) {
  if (!choose) return std::nullopt;
  const std::optional<QString> chosen = choose();
  if (!chosen) return std::nullopt;
  return utf8(*chosen);
}

EngineSession::EngineSession() : engine_(std::make_unique<gifengine::GifEngine>(reporter_, &chooser_)) {}
EngineSession::~EngineSession() = default;

int EngineSession::frameCount() const { return engine_->frames.count(); }

QStringList EngineSession::rowCells(int i) const {
  QStringList cells;
  for (const std::string& cell : engine_->ShowFrameRow(i)) cells << fromUtf8(cell);
  return cells;
}

int EngineSession::loadGifFile(const QString& path, int at, std::optional<ScreenValues>& screen) {
  gifengine::FrameList& frames = engine_->frames;
  const bool wasEmpty = frames.empty();
  const int before = frames.count();
  frames.cursor.currentRow = frames.cursor.topRow = frames.cursor.bottomRow = at + 1;
  engine_->LoadGifFile(utf8(path));
  const int added = frames.count() - before;
  if (wasEmpty && added > 0) {
    const gifengine::AnimationBoxes& boxes = engine_->boxes;
    screen = ScreenValues{boxNumber(boxes.EdLSWidth), boxNumber(boxes.EdLSHeight), boxNumber(boxes.EdIteration)};
  }
  return added;
}

void EngineSession::deleteFrame(int i) { engine_->frames.DeleteFrame(i); }
void EngineSession::duplicateFrames(int a, int n) { engine_->frames.DuplicateFrames(a, n); }
void EngineSession::moveFrames(int a, int n, int d) { engine_->frames.MoveFrames(a, n, d); }

FrameFields EngineSession::frameFields(int i) const {
  const gifengine::GifFrameRecord& frame = engine_->frames[i];
  FrameFields f;
  f.left = frame.descriptor.left;
  f.top = frame.descriptor.top;
  f.width = frame.descriptor.width;
  f.height = frame.descriptor.height;
  f.delay = frame.delay();
  f.disposal = frame.disposal();
  f.transFlag = frame.transparencyOn() ? 1 : 0;
  f.transIndex = frame.transparentIndex();
  f.tableSize = frame.tableEntryCount();
  f.transColour = f.transIndex < f.tableSize ? gifengine::ColourValue(frame.colourTable[std::size_t(f.transIndex)]) : -1;
  return f;
}

void EngineSession::setPosition(int i, int left, int top) {
  engine_->frames[i].descriptor.left = uint16_t(left);
  engine_->frames[i].descriptor.top = uint16_t(top);
}

void EngineSession::setDelay(int i, int delay) { engine_->frames[i].setDelay(uint16_t(delay)); }
void EngineSession::setDisposal(int i, int disposal) { engine_->frames[i].setDisposal(disposal); }

void EngineSession::setTransparency(int i, int flag, int index) {
  engine_->frames[i].setTransparencyOn(flag != 0);
  engine_->frames[i].setTransparentIndex(index);
}

void EngineSession::markEdited(int i) { engine_->frames[i].setPathAndName("Edited", 0); }

int EngineSession::findColour(int i, int colour) const {
  const gifengine::GifFrameRecord& frame = engine_->frames[i];
  for (int k = 0; k < frame.tableEntryCount(); ++k)
    if (gifengine::ColourValue(frame.colourTable[std::size_t(k)]) == colour) return k;
  return -1;
}

bool EngineSession::makeAnimatedGif(const QString& path, const AnimationBoxes& boxes,
                                    const std::function<std::optional<QString>()>& chooseName) {
  engine_->boxes = {utf8(boxes.width), utf8(boxes.height), utf8(boxes.iteration)};
  chooser_.choose = chooseName;
  const int made = engine_->MakeAnimatedGif(chooseName ? std::string() : utf8(path));
  chooser_.choose = nullptr;
  return made == 1;
}

bool EngineSession::makeSingleGif(int i, const QString& path) { return engine_->MakeSingleGif(i, utf8(path)) == 1; }
void EngineSession::setGlobalTableFromFrame(int i) { engine_->SetGlobalTableFromFrame(i); }
void EngineSession::clearGlobalTableUse() { engine_->ClearGlobalTableUse(); }

QString EngineSession::predictFileSize(const QString& iteration) const {
  engine_->boxes.EdIteration = utf8(iteration);
  return fromUtf8(engine_->PredictFileSizeText());
}

// The comment travels in the file as Shift_JIS bytes; the window edits it as text.
QString EngineSession::animationComment() const { return fromUtf8(shiftJisToUtf8(engine_->animationComment)); }
void EngineSession::setAnimationComment(const QString& comment) {
  engine_->animationComment = utf8ToShiftJis(utf8(comment));
}

std::pair<int, int> EngineSession::lastMadeSize() const {
  return {engine_->LastMadeWidth, engine_->LastMadeHeight};
}

}  // namespace flikkor
