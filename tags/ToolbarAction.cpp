#include "tags/ToolbarAction.h"

namespace Quillorn {

namespace {

using Kind = ToolbarAction::Kind;

ToolbarAction tag(const char* name, const char* toolTip)
{
    ToolbarAction a;
    a.kind = Kind::InsertTag;
    a.text = QLatin1String(name);
    a.label = QLatin1String(name);
    a.toolTip = QLatin1String(toolTip);
    return a;
}

ToolbarAction insert(const QString& text, const char* label, const char* toolTip)
{
    ToolbarAction a;
    a.kind = Kind::Insert;
    a.text = text;
    a.label = QLatin1String(label);
    a.toolTip = QLatin1String(toolTip);
    return a;
}

ToolbarAction wrap(const char* opening, const char* closing, const char* label, const char* toolTip)
{
    ToolbarAction a;
    a.kind = Kind::Wrap;
    a.text = QLatin1String(opening);
    a.closing = QLatin1String(closing);
    a.label = QLatin1String(label);
    a.toolTip = QLatin1String(toolTip);
    return a;
}

ToolbarAction prompted(const QString& pattern, const QStringList& prompts, const char* label,
                       const char* toolTip)
{
    ToolbarAction a;
    a.kind = Kind::Prompted;
    a.text = pattern;
    a.prompts = prompts;
    a.label = QLatin1String(label);
    a.toolTip = QLatin1String(toolTip);
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
    t << tag("dd", "Definition description (dd)")                                       // 0
      << tag("dt", "Definition term (dt)")                                              // 1
      << tag("li", "List item (li)")                                                    // 2
      << tag("menu", "Menu list (menu)")                                                // 3
      << tag("ol", "Ordered list (ol)")                                                 // 4
      << tag("ul", "Unordered list (ul)");                                              // 5
    t << insert(QStringLiteral("<ol>\r\n\t<li>\r\n</ol>"), "ol+", "Ordered list block") // 6
      << insert(QStringLiteral("<dl>\r\n\t<dt><dd>\r\n</dl>"), "dl+",
                "Definition list block") // 7
      << insert(QStringLiteral("<ul>\r\n\t<li>\r\n</ul>"), "ul+",
                "Unordered list block");           // 8
    t << tag("caption", "Table caption (caption)") // 9
      << tag("table", "Table (table)")             // 10
      << tag("td", "Table cell (td)")              // 11
      << tag("th", "Table header cell (th)")       // 12
      << tag("tr", "Table row (tr)");              // 13
    t << prompted(QStringLiteral("<applet code=\"{1}\">"),
                  {QStringLiteral("Applet class file (for example Hello.class):")}, "app",
                  "Applet start tag") // 14
      << prompted(QStringLiteral("document.write({1})"),
                  {QStringLiteral("What to write, as a script expression "
                                  "(for example \"Hello\" in quotes):")},
                  "dw", "Script output (document.write)");               // 15
    t << tag("script", "Script (script)")                                // 16
      << tag("noscript", "Content without scripts (noscript)");          // 17
    t << insert(QStringLiteral("<br>"), "<br>", "Line break (br)")       // 18
      << insert(QStringLiteral("<hr>"), "<hr>", "Horizontal rule (hr)"); // 19
    t << prompted(QStringLiteral("<!--#Include File=\"{1}\"-->"),
                  {QStringLiteral("File to include on the server:")}, "inc",
                  "Server-side include"); // 20
    // The entity needs its ampersand to stand for a non-breaking space.
    t << insert(QStringLiteral("&nbsp;"), "nb", "Non-breaking space (&nbsp;)"); // 21
    t << tag("p", "Paragraph (p)");                                             // 22
    t << prompted(QStringLiteral("<object id=\"{1}\" classid=\"{2}\" width=\"{3}\" "
                                 "height=\"{4}\" data=\"{5}\">{sel}</object>"),
                  {QStringLiteral("Object id:"), QStringLiteral("Class id:"),
                   QStringLiteral("Width:"), QStringLiteral("Height:"),
                   QStringLiteral("Data (file or address):")},
                  "obj", "Object"); // 23
    t << wrap("<applet code=\"\" codebase = \"\" width=\"\" height=\"\">", "</applet>", "apl",
              "Applet around the selection") // 24
      << wrap("<div id=\"dhtml_layer\" style=\"position:absolute; left: 1px; top:1px; "
              "width: 100px; height: 100px; z-index:1\">",
              "</div>", "lay", "Positioned layer around the selection")                       // 25
      << wrap("<embed src=\"\">", "</embed>", "emb", "Embedded object around the selection"); // 26
    t << insert(QStringLiteral("<embed src=\"\" autostart=\"false\" hidden=\"false\" loop=\"0\">"),
                "snd", "Background sound (embed)") // 27
      << insert(QStringLiteral("<embed src=\"\" autostart=\"false\" width=\"200\" height=\"200\">"),
                "vid", "Video (embed)"); // 28
    t << insert(playerBlock("clsid:D27CDB6E-AE6D-11cf-96B8-444553540000",
                            "http://download.macromedia.com/pub/shockwave/cabs/flash/"
                            "swflash.cab#version=6,0,0,0",
                            "http://www.macromedia.com/go/getflashplayer",
                            "application/x-shockwave-flash"),
                "fla", "Flash movie (object and embed)") // 29
      << insert(playerBlock("clsid:166B1BCA-3F9C-11CF-8075-444553540000",
                            "http://download.macromedia.com/pub/shockwave/cabs/director/"
                            "sw.cab#version=8,5,0,0",
                            "http://www.macromedia.com/shockwave/download/",
                            "application/x-director"),
                "dir", "Director movie (object and embed)"); // 30
    {
        ToolbarAction a;
        a.kind = Kind::ReferenceTree;
        a.text = QStringLiteral("JS.QLT");
        a.label = QStringLiteral("js");
        a.toolTip = QStringLiteral("JavaScript reference");
        t << a; // 31
    }
    t << wrap("<div style=\"text-align: left\">", "</div>", "al", "Align left")     // 32
      << wrap("<div style=\"text-align: right\">", "</div>", "ar", "Align right")   // 33
      << wrap("<div style=\"text-align: center\">", "</div>", "ac", "Align center") // 34
      << wrap("<div style=\"text-align: justify\">", "</div>", "aj", "Justify");    // 35
    {
        ToolbarAction a;
        a.kind = Kind::Font;
        a.label = QStringLiteral("F");
        a.toolTip = QStringLiteral("Font...");
        t << a; // 36
    }
    return t;
}

} // namespace Quillorn
