#pragma once

#include "dialog/platformdialogs.h"

#include <optional>
#include <QList>
#include <QStringList>

// Answers the colour and file dialogs from a script instead of a modal window, and keeps
// what the dialog was asked.
class FakeDialogs : public PlatformDialogs {
public:
    // Each answer is used once, in order; nothing left, or an empty answer, is a cancel.
    QList<std::optional<QColor>> colourAnswers;
    QList<std::optional<QString>> fileAnswers;

    QList<QColor> coloursOffered;
    QStringList filtersOffered;
    QStringList fileNamesOffered;
    QStringList failures;

    bool ChooseColour(QWidget*, QColor& colour) override
    {
        coloursOffered << colour;
        const auto answer = colourAnswers.isEmpty() ? std::nullopt : colourAnswers.takeFirst();
        if (answer)
            colour = *answer;
        return answer.has_value();
    }
    bool ChooseFile(QWidget*, const QString& filter, QString& fileName) override
    {
        filtersOffered << filter;
        fileNamesOffered << fileName;
        const auto answer = fileAnswers.isEmpty() ? std::nullopt : fileAnswers.takeFirst();
        if (answer)
            fileName = *answer;
        return answer.has_value();
    }
    void ReportFailure(QWidget*, const QString& message) override { failures << message; }
};
