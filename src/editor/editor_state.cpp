#include "editor/editor.h"

namespace kelp {
namespace {

constexpr char kRichEditLibrary[] = "riched20.dll";

class ProcessHeapAllocator final : public KeywordHeap {
 public:
  void* Allocate(std::size_t bytes) override {
    return gEditor.heap != nullptr ? ::HeapAlloc(gEditor.heap, HEAP_ZERO_MEMORY, bytes) : nullptr;
  }
  void Free(void* block) override {
    if (block != nullptr && gEditor.heap != nullptr) ::HeapFree(gEditor.heap, 0, block);
  }
};

}  // namespace

EditorState gEditor;

KeywordHeap& EditorHeap() {
  static ProcessHeapAllocator heap;
  return heap;
}

void PrepareEditor() {
  if (gEditor.ready) return;
  // Never freed: editor controls of this class may exist until the process ends.
  gEditor.richEditModule = ::LoadLibraryA(kRichEditLibrary);
  gEditor.ready = true;
  gEditor.matchCase = true;
  gEditor.wholeWord = false;
  gEditor.heap = ::GetProcessHeap();
  LoadSyntaxFile();
}

}  // namespace kelp
