#include "document/corvina_doc.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "document/transformation_tables.h"

namespace {

constexpr uint64_t DrawRange = uint64_t{RandomSource::Max} + 1;

// The largest error a pass can have: 255 squared.
constexpr int32_t MaxPassError = 65025;

}  // namespace

// One draw modulo the count for up to 32768 patterns; beyond that, enough draws are combined
// into one wider number and out-of-range results redrawn, so every pattern has an equal chance.
int32_t CCorvinaDoc::DrawPatternIndex()
{
    const auto count = static_cast<uint64_t>(patterns.size());
    if (count <= DrawRange)
        return static_cast<int32_t>(static_cast<uint64_t>(random.Draw()) % count);
    uint64_t range = DrawRange;
    int32_t draws = 1;
    while (range < count) {
        range *= DrawRange;
        ++draws;
    }
    const uint64_t limit = range - range % count;
    for (;;) {
        uint64_t combined = 0;
        for (int32_t draw = 0; draw < draws; ++draw)
            combined = combined * DrawRange + static_cast<uint64_t>(random.Draw());
        if (combined < limit)
            return static_cast<int32_t>(combined % count);
    }
}

void CCorvinaDoc::TrainPass()
{
    if (patterns.empty())
        return;
    SetModifiedFlag();
    const TrainingPattern& pattern = *patterns[static_cast<size_t>(DrawPatternIndex())];
    const int32_t inputs = GetInputCount();
    for (int32_t i = 0; i < inputs; ++i)
        patternBuffer->SetInput(i, pattern.GetLevel(i));
    net->Forward();
    for (int32_t i = 0; i < GetOutputCount(); ++i)
        net->SetTarget(i, pattern.GetLevel(inputs + i));
    // A loaded average may lie outside the range Learn is made for: a file of an older build
    // whose error sum wrapped carries one.
    const int32_t rate = std::clamp(errorHistory.GetAverage(), 0, MaxPassError);
    errorHistory.Record(net->Learn(rate, random));
    ++passes;
    UpdateAllViews(nullptr, UpdateHint::TrainingPass);
}

bool CCorvinaDoc::ChangeShape(int32_t newLayers, int32_t inputs, int32_t outputs)
{
    if (!ConfirmDestroyExperience())
        return false;
    try {
        CreateNetwork(newLayers, inputs, outputs);
    } catch (const std::length_error&) {
        if (userInterface != nullptr)
            userInterface->messages.ShowStopMessage("The network cannot be built in this shape.");
        return false;
    } catch (const std::bad_alloc&) {
        if (userInterface != nullptr)
            userInterface->messages.ShowStopMessage(
                "There is not enough memory to build a network of this shape.");
        return false;
    }
    FillIdentityTables(inputTables.get(), inputs);
    FillIdentityTables(outputTables.get(), outputs);
    ResetStatistics();
    SetModifiedFlag();
    UpdateAllViews(nullptr, UpdateHint::All);
    return true;
}

void CCorvinaDoc::OnOptions()
{
    if (userInterface == nullptr)
        return;
    ShapeFields fields;
    fields.layers = static_cast<uint32_t>(layers);
    fields.inputs = static_cast<uint32_t>(GetInputCount());
    fields.outputs = static_cast<uint32_t>(GetOutputCount());
    if (!userInterface->dialogs.RunShapeDialog(fields))
        return;
    ChangeShape(static_cast<int32_t>(fields.layers), static_cast<int32_t>(fields.inputs),
                static_cast<int32_t>(fields.outputs));
}

void CCorvinaDoc::OnRandomization()
{
    if (!ConfirmDestroyExperience())
        return;
    ResetStatistics();
    SetModifiedFlag();
    net->Randomize(random);
    UpdateAllViews(nullptr, UpdateHint::All);
}

void CCorvinaDoc::OnEraseTd()
{
    if (!ConfirmDestroyExperience())
        return;
    patterns.clear();
    SetModifiedFlag();
    ResetStatistics();
    UpdateAllViews(nullptr, UpdateHint::All);
}
