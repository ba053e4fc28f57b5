// Loading a .cvn: a refused load leaves a new default document and one message; a load that
// succeeds saves back exactly the bytes it used, followed by the settings block of the settings
// it read after the average error (none for a damaged or absent block), and loading those gives
// the same bytes again.
#include <algorithm>
#include <cstring>

#include "document/settings_block.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

int32_t Int32At(const uint8_t* data, size_t offset)
{
    uint32_t bits = 0;
    std::memcpy(&bits, data + offset, 4);
    return static_cast<int32_t>(bits);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Session session;
    static const std::string fresh = WriteNetwork(session.document.Model());
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = WriteScratch("load.cvn", bytes);
    session.document.OnNewDocument();
    session.Clear();

    const bool opened = session.manager.OpenDocumentFile(path);
    const std::string saved = WriteNetwork(session.document.Model());
    FUZZ_CHECK(session.user.statusNotes.empty());
    if (!opened || size == 0) {
        // Refused: a message and a new document. Empty: taken without a load.
        FUZZ_CHECK(session.user.stopMessages.size() == (opened ? 0u : 1u));
        FUZZ_CHECK(saved == fresh);
        return 0;
    }
    FUZZ_CHECK(session.user.stopMessages.empty());
    const int64_t layers = Int32At(data, 0), inputs = Int32At(data, 4), outputs = Int32At(data, 8);
    const int64_t columns = inputs + outputs;
    const size_t patternsAt = static_cast<size_t>(12 + 4 * (layers * inputs + outputs) + 2048 * columns);
    const int32_t patterns = std::max(Int32At(data, patternsAt), 0);
    const size_t length = patternsAt + 12 + static_cast<size_t>(patterns * columns);
    const std::string block = EncodeSettingsBlock(DecodeSettingsBlock(std::string_view(bytes).substr(length)).settings);
    FUZZ_CHECK(session.document.GetLearningSettings() == DecodeSettingsBlock(bytes.substr(length)).settings);
    FUZZ_CHECK(saved.size() == length + block.size());
    // The prefix the load used, with a pattern count of 0 or less stored as 0.
    std::string used = bytes.substr(0, length);
    std::memcpy(used.data() + patternsAt, &patterns, 4);
    FUZZ_CHECK(saved == used + block);

    session.document.OnNewDocument();
    FUZZ_CHECK(session.manager.OpenDocumentFile(WriteScratch("again.cvn", saved)));
    FUZZ_CHECK(WriteNetwork(session.document.Model()) == saved);
    return 0;
}
