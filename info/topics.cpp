// SPDX-License-Identifier: MIT
#include "info/topics.h"

#include "info/topic_catalogue.h"
#include "info/topic_writer.h"

namespace info {

namespace {

void write(const Topic& topic, estimate::DescriptionDocument& doc) {
    doc.showPicture(topic.picture);
    if (topic.pictureOnly())
        return; // the text follows on the click
    TopicWriter w(doc);
    w.centred(topic.title);
    for (std::string_view line : topic.centred)
        w.centred(line);
    for (const TopicLine& line : topic.body)
        line.kind == LineKind::Bullet ? w.bullet(line.text) : w.left(line.text);
    w.finish();
}

} // namespace

bool showTopic(std::string_view controlName, estimate::DescriptionDocument& doc) {
    const Topic* topic = findTopic(controlName);
    if (!topic)
        return false;
    write(*topic, doc);
    return true;
}

bool selectsAllOnClick(std::string_view controlName) {
    const Topic* topic = findTopic(controlName);
    return topic && topic->selectsAll;
}

} // namespace info
