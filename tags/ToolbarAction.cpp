#include "tags/ToolbarAction.h"

namespace Quillorn {

namespace {

using Kind = ToolbarAction::Kind;

ToolbarAction tag(const char* name, Str toolTip)
{
    ToolbarAction a;
    a.kind = Kind::InsertTag;
    a.text = QLatin1String(name);
    a.label = QLatin1String(name);
    a.toolTip = toolTip;
    return a;
}

ToolbarAction insert(const QString& text, const char* label, Str toolTip)
{
    ToolbarAction a;
    a.kind = Kind::Insert;
    a.text = text;
    a.label = QLatin1String(label);
    a.toolTip = toolTip;
    return a;
}

ToolbarAction wrap(const char* opening, const char* closing, const char* label, Str toolTip)
{
    ToolbarAction a;
    a.kind = Kind::Wrap;
    a.text = QLatin1String(opening);
    a.closing = QLatin1String(closing);
    a.label = QLatin1String(label);
    a.toolTip = toolTip;
    return a;
}

ToolbarAction prompted(const QString& pattern, const QList<Str>& prompts, const char* label,
                       Str toolTip)
{
    ToolbarAction a;
    a.kind = Kind::Prompted;
    a.text = pattern;
    a.prompts = prompts;
    a.label = QLatin1String(label);
    a.toolTip = toolTip;
    return a;
}

// A plug-in player's object block: the object start tag with the player's published class
// identifier and download location, the source parameter, the embed tag for browsers that take
// plug-ins that way, and the end of the object.
QString playerBlock(const char* classId, const char* codeBase, const char* pluginsPage,
                    const char* type)
{
    return QStringLiteral("<object classid=\"") + QLatin1String(classId) +
           QStringLiteral("\" codebase=\"") + QLatin1String(codeBase) +
           QStringLiteral("\" width=\"200\" height=\"200\">\r\n"
                          "<param name=\"src\" value=\"\">\r\n"
                          "<embed src=\"\" pluginspage=\"") +
           QLatin1String(pluginsPage) + QStringLiteral("\" type=\"") + QLatin1String(type) +
           QStringLiteral("\" width=\"200\" height=\"200\"></embed>\r\n</object>");
}

} // namespace

QList<ToolbarAction> ToolbarAction::table()
{
    QList<ToolbarAction> t;
    t.reserve(count);
    t << tag("dd", Str::TipDefinitionDescription)                                           // 0
      << tag("dt", Str::TipDefinitionTerm)                                                  // 1
      << tag("li", Str::TipListItem)                                                        // 2
      << tag("menu", Str::TipMenuList)                                                      // 3
      << tag("ol", Str::TipOrderedList)                                                     // 4
      << tag("ul", Str::TipUnorderedList);                                                  // 5
    t << insert(QStringLiteral("<ol>\r\n\t<li>\r\n</ol>"), "ol+", Str::TipOrderedListBlock) // 6
      << insert(QStringLiteral("<dl>\r\n\t<dt><dd>\r\n</dl>"), "dl+",
                Str::TipDefinitionListBlock) // 7
      << insert(QStringLiteral("<ul>\r\n\t<li>\r\n</ul>"), "ul+",
                Str::TipUnorderedListBlock);  // 8
    t << tag("caption", Str::TipTableCaption) // 9
      << tag("table", Str::TipTable)          // 10
      << tag("td", Str::TipTableCell)         // 11
      << tag("th", Str::TipTableHeaderCell)   // 12
      << tag("tr", Str::TipTableRow);         // 13
    t << prompted(QStringLiteral("<applet code=\"{1}\">"), {Str::AppletClassPrompt}, "app",
                  Str::TipAppletStart) // 14
      << prompted(QStringLiteral("document.write({1})"), {Str::DocumentWritePrompt}, "dw",
                  Str::TipDocumentWrite);                                // 15
    t << tag("script", Str::TipScript)                                   // 16
      << tag("noscript", Str::TipNoScript);                              // 17
    t << insert(QStringLiteral("<br>"), "<br>", Str::TipLineBreak)       // 18
      << insert(QStringLiteral("<hr>"), "<hr>", Str::TipHorizontalRule); // 19
    t << prompted(QStringLiteral("<!--#Include File=\"{1}\"-->"), {Str::IncludeFilePrompt}, "inc",
                  Str::TipServerInclude); // 20
    // The entity needs its ampersand to stand for a non-breaking space.
    t << insert(QStringLiteral("&nbsp;"), "nb", Str::TipNonBreakingSpace); // 21
    t << tag("p", Str::TipParagraph);                                      // 22
    t << prompted(QStringLiteral("<object id=\"{1}\" classid=\"{2}\" width=\"{3}\" "
                                 "height=\"{4}\" data=\"{5}\">{sel}</object>"),
                  {Str::ObjectIdPrompt, Str::ClassIdPrompt, Str::FormWidth, Str::FormHeight,
                   Str::ObjectDataPrompt},
                  "obj", Str::TipObject); // 23
    t << wrap("<applet code=\"\" codebase = \"\" width=\"\" height=\"\">", "</applet>", "apl",
              Str::TipAppletAround) // 24
      << wrap("<div id=\"dhtml_layer\" style=\"position:absolute; left: 1px; top:1px; "
              "width: 100px; height: 100px; z-index:1\">",
              "</div>", "lay", Str::TipLayerAround)                        // 25
      << wrap("<embed src=\"\">", "</embed>", "emb", Str::TipEmbedAround); // 26
    t << insert(QStringLiteral("<embed src=\"\" autostart=\"false\" hidden=\"false\" loop=\"0\">"),
                "snd", Str::TipBackgroundSound) // 27
      << insert(QStringLiteral("<embed src=\"\" autostart=\"false\" width=\"200\" height=\"200\">"),
                "vid", Str::TipVideo); // 28
    t << insert(playerBlock("clsid:D27CDB6E-AE6D-11cf-96B8-444553540000",
                            "http://download.macromedia.com/pub/shockwave/cabs/flash/"
                            "swflash.cab#version=6,0,0,0",
                            "http://www.macromedia.com/go/getflashplayer",
                            "application/x-shockwave-flash"),
                "fla", Str::TipFlashMovie) // 29
      << insert(playerBlock("clsid:166B1BCA-3F9C-11CF-8075-444553540000",
                            "http://download.macromedia.com/pub/shockwave/cabs/director/"
                            "sw.cab#version=8,5,0,0",
                            "http://www.macromedia.com/shockwave/download/",
                            "application/x-director"),
                "dir", Str::TipDirectorMovie); // 30
    {
        ToolbarAction a;
        a.kind = Kind::ReferenceTree;
        a.text = QStringLiteral("JS.QLT");
        a.label = QStringLiteral("js");
        a.toolTip = Str::JavaScriptReference;
        t << a; // 31
    }
    t << wrap("<div style=\"text-align: left\">", "</div>", "al", Str::TipAlignLeft)     // 32
      << wrap("<div style=\"text-align: right\">", "</div>", "ar", Str::TipAlignRight)   // 33
      << wrap("<div style=\"text-align: center\">", "</div>", "ac", Str::TipAlignCenter) // 34
      << wrap("<div style=\"text-align: justify\">", "</div>", "aj", Str::TipJustify);   // 35
    {
        ToolbarAction a;
        a.kind = Kind::Font;
        a.label = QStringLiteral("F");
        a.toolTip = Str::TipFont;
        t << a; // 36
    }
    return t;
}

} // namespace Quillorn
