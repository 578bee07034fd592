#include "wordlist/chapter_conversion.h"

#include "text/encoding.h"

namespace qorv {

ConvertedChapter ConvertChapter(const DecodedText& decoded, const LetterMapper& mapper) {
  ConvertedChapter result;
  const std::string_view text = decoded.Utf8;
  for (const TextLine& line : SplitLines(text)) {
    if (decoded.Encoding == TextEncoding::kCp1252) {
      // Every byte has its character already; only the line ends change.
      result.Text += *Utf8ToCp1252(line.Text);
    } else {
      MappedText mapped = mapper.MapText(line.Text);
      result.Text += mapped.Text;
      for (Reduction& reduction : mapped.Reductions) {
        result.Changed.push_back(
            {line.Number, std::move(reduction.From), std::move(reduction.To), false});
      }
      for (char32_t c : mapped.Unmapped) {
        std::string from;
        AppendUtf8(c, from);
        result.Changed.push_back({line.Number, std::move(from), "?", true});
      }
    }
    if (!line.Ended) break;
    const std::size_t end =
        static_cast<std::size_t>(line.Text.data() - text.data()) + line.Text.size();
    if (text.substr(end, 2) != "\r\n") ++result.LineEndsChanged;
    result.Text += "\r\n";
  }
  return result;
}

}  // namespace qorv
