// Every message of the command-line decoder has its French text in the
// "CAB" context of the translation source, so a French run never falls back
// to English in the middle of a command-line error line.
#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>

#include <map>
#include <string>

#include "cmdline/decoder.h"

namespace zenta::cmdline {
namespace {

// source text -> translation, for the messages of one context of a .ts file.
std::map<std::string, std::string> contextMessages(const std::string& path, const std::string& wanted) {
  std::map<std::string, std::string> messages;
  QFile file(QString::fromStdString(path));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
  QXmlStreamReader xml(&file);
  std::string context, source, translation;
  bool inMessage = false;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const auto name = xml.name();
      if (name == QLatin1String("name") && !inMessage) {
        context = xml.readElementText().toStdString();
      } else if (name == QLatin1String("message")) {
        inMessage = true;
        source.clear();
        translation.clear();
      } else if (name == QLatin1String("source")) {
        source = xml.readElementText().toStdString();
      } else if (name == QLatin1String("translation")) {
        translation = xml.readElementText().toStdString();
      }
    } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
      inMessage = false;
      if (context == wanted) messages[source] = translation;
    }
  }
  EXPECT_FALSE(xml.hasError()) << path << ": " << xml.errorString().toStdString();
  return messages;
}

TEST(DecoderFrench, EveryDecoderMessageIsTranslated) {
  const auto cab = contextMessages(std::string(ZENTA_SOURCE_DIR) + "/translations/cab_fr.ts", "CAB");
  ASSERT_FALSE(cab.empty());
  for (int number = 0; number < DecoderMessageCount; ++number) {
    const std::string text = decoderMessageText(number);
    ASSERT_FALSE(text.empty()) << number;
    const auto it = cab.find(text);
    ASSERT_NE(it, cab.end()) << "message " << number << " \"" << text << "\" has no French text";
    EXPECT_FALSE(it->second.empty()) << text;
    EXPECT_NE(it->second, text) << text;
  }
}

}  // namespace
}  // namespace zenta::cmdline
