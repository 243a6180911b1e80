// Reads a Qt translation source (.ts): every message, keyed by its context,
// source text and comment, with its translation.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>

#include <map>
#include <string>
#include <tuple>

namespace testkit {

using TsKey = std::tuple<std::string, std::string, std::string>;  // context, source, comment

inline std::map<TsKey, std::string> readTs(const std::string& path) {
  std::map<TsKey, std::string> messages;
  QFile file(QString::fromStdString(path));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
  QXmlStreamReader xml(&file);
  std::string context, source, comment, translation;
  bool inMessage = false;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const auto name = xml.name();
      if (name == QLatin1String("name") && !inMessage) context = xml.readElementText().toStdString();
      else if (name == QLatin1String("message")) inMessage = true, source.clear(), comment.clear(), translation.clear();
      else if (name == QLatin1String("source")) source = xml.readElementText().toStdString();
      else if (name == QLatin1String("comment")) comment = xml.readElementText().toStdString();
      else if (name == QLatin1String("translation")) translation = xml.readElementText().toStdString();
    } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
      inMessage = false;
      messages[{context, source, comment}] = translation;
    }
  }
  EXPECT_FALSE(xml.hasError()) << path << ": " << xml.errorString().toStdString();
  return messages;
}

}  // namespace testkit
