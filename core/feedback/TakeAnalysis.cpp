#include "feedback/TakeAnalysis.h"

#include "base/LogCategories.h"
#include "base/QuellinError.h"

std::optional<TakeAnalysis> TakeAnalysis::read(const QString& takePath, const QString& mediaPath,
                                               TimeRange sentence, std::stop_token stop) {
    std::optional<TakeShape> shape = TakeShape::read(takePath, stop);
    if (!shape)
        return std::nullopt;
    TakeAnalysis analysis{std::move(*shape), std::nullopt};
    try {
        analysis.feedback =
            AttemptFeedback::read(mediaPath, sentence, takePath, analysis.shape.range, stop);
    } catch (const OperationCancelled&) {
        return std::nullopt;
    } catch (const std::exception& error) {
        qCDebug(lcPractice) << "The take" << takePath << "couldn’t be compared:" << error.what();
    }
    return analysis;
}
