// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/Deliverables.h"
#include "output/TemplateText.h"
#include "output/TextDeliverable.h"

#include "processing/FieldHelpers.h"
#include "processing/ProfileNumber.h"

#include <algorithm>

namespace tolvanor {

namespace {

// 4 pairs on the header card and 7 on each of 34 continuation cards: the
// last card character is Z.
constexpr std::int32_t MaxPoints = 242;
constexpr std::int32_t HeaderPairs = 4;
constexpr std::int32_t CardPairs = 7;
constexpr float NoLowerElevation = 1000.0f;

// "1" to "9", then "A" for card 10 up to "Z" for card 35.
char CardCharacter(std::int32_t card) {
    return card <= 9 ? static_cast<char>('0' + card) : static_cast<char>(card + 55);
}

char SurveyTypeCode(SurveyTypeOption option) {
    switch (option) {
    case SurveyTypeOption::BeforeDredge:
        return '1';
    case SurveyTypeOption::AfterDredge:
        return '2';
    case SurveyTypeOption::Maintenance:
        return ' ';
    }
    return ' ';
}

// ISRP 28 cards: a header card with the profile's constants and up to 4
// distance/elevation pairs, continuation cards of up to 7 pairs. Appended;
// the template (if any) goes at the top of every file opened.
class IsrpWriter final : public TextDeliverable {
public:
    explicit IsrpWriter(const OutputOptions& options)
        : TextDeliverable(OutputFile::OpenMode::Append), options_(options),
          locality_(RFormat(std::string_view(options.LocalityCode), 2)),
          surveyDate_(RFormat(std::string_view(options.SurveyDate), 6)),
          surveyTime_(RFormat(std::string_view(options.SurveyTime), 5)),
          surveyType_(SurveyTypeCode(options.SurveyType)) {}

protected:
    // The template is read once, before the first file is opened, so a
    // missing template leaves every output file untouched.
    bool PrepareFile(const std::string& path) override {
        if (!options_.AppendTemplate || templateRead_) return true;
        std::string reason;
        if (!ReadTemplateText(options_.TemplateFile, template_, reason)) {
            return Fail(path, "Template file " + options_.TemplateFile + ": " + reason);
        }
        templateRead_ = true;
        return true;
    }

    bool WriteFileHeader(OutputFile& file) override {
        if (options_.AppendTemplate) file.Write(template_);
        return true;
    }

    bool WriteShots(OutputFile& file, const Job& job, std::int32_t line) override {
        const std::int32_t last = LastShot(job, line);
        const std::string_view profile = job.LineName(line);
        // Columns 1-9 of every card.
        const std::string cardStart = locality_ + RFormat(ExtractInteger(profile), 4) + "  " + surveyType_;

        std::int32_t k = 0;
        std::int32_t card = 1;
        for (std::int32_t s = 1; s <= last; ++s) {
            const ShotRecord& shot = job.Data.At(line, s);
            if (shot.Ignore) continue;
            if (++k > MaxPoints) break;
            if (k == 1) {
                WriteHeaderCard(file, job, line, cardStart, profile);
            } else if (k > HeaderPairs && k % CardPairs == (HeaderPairs + 1) % CardPairs) {
                file.EndLine();
                ++card;
                file.Write(cardStart);
                file.Put(CardCharacter(card));
            }
            Numbers.WriteGeneralRightAligned(file, shot.DistDownRange, 5);
            Numbers.WriteGeneralRightAligned(file, shot.Elevation * 10.0f, 5);
        }
        file.EndLine();
        return true;
    }

private:
    // Columns 1-40: constants, point count, lowest elevation, profile number.
    void WriteHeaderCard(OutputFile& file, const Job& job, std::int32_t line, const std::string& cardStart,
                         std::string_view profile) {
        std::int32_t used = 0;
        float lowest = NoLowerElevation;
        const std::int32_t last = LastShot(job, line);
        for (std::int32_t s = 1; s <= last; ++s) {
            const ShotRecord& shot = job.Data.At(line, s);
            if (shot.Ignore) continue;
            ++used;
            lowest = std::min(lowest, shot.Elevation);
        }
        file.Write(cardStart);
        file.Put(CardCharacter(1));
        file.Write(surveyDate_);
        file.Write(surveyTime_);
        file.Write(RFormat(std::min(used, MaxPoints), 3));
        file.Write(RFormat(lowest * 10.0f, 5));
        file.Write(RFormat(profile, 10));
        file.Put(' ');
    }

    const OutputOptions& options_;
    std::string locality_;
    std::string surveyDate_;
    std::string surveyTime_;
    char surveyType_;
    bool templateRead_ = false;
    std::string template_;
};

} // namespace

OutputResult WriteISRPFile(const Job& job, const OutputOptions& options, std::string_view folder, Progress* progress) {
    IsrpWriter writer(options);
    return WriteDeliverable(job, options, folder, OutputFormat::Isrp, writer, progress);
}

} // namespace tolvanor
