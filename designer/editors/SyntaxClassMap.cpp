#include "designer/editors/SyntaxClassMap.h"

#include "engine/script/CharClasses.h"

#include <cstddef>

namespace vl {

namespace {

constexpr std::string_view kPascalKeywords =
    ",and,array,begin,case,const,div,do,downto,else,end,except,finally,for,function,if,in,is,mod,"
    "nil,not,of,or,procedure,program,repeat,shl,shr,string,then,to,try,until,uses,var,while,with,"
    "xor,";
constexpr std::string_view kCppKeywords =
    ",bool,break,case,char,continue,define,default,delete,do,double,else,except,finally,float,for,"
    "if,include,int,is,new,return,string,switch,try,variant,void,while,";
constexpr std::string_view kSqlKeywords =
    ",active,after,all,alter,and,any,as,asc,ascending,at,auto,base_name,before,begin,between,by,"
    "cache,cast,check,column,commit,committed,computed,conditional,constraint,containing,count,"
    "create,current,cursor,database,debug,declare,default,delete,desc,descending,distinct,do,"
    "domain,drop,else,end,entry_point,escape,exception,execute,exists,exit,external,extract,"
    "filter,for,foreign,from,full,function,generator,grant,group,having,if,in,inactive,index,"
    "inner,insert,into,is,isolation,join,key,left,level,like,merge,names,no,not,null,of,on,only,"
    "or,order,outer,parameter,password,plan,position,primary,privileges,procedure,protected,read,"
    "retain,returns,revoke,right,rollback,schema,select,set,shadow,shared,snapshot,some,suspend,"
    "table,then,to,transaction,trigger,uncommitted,union,unique,update,user,using,view,wait,when,"
    "where,while,with,work,";

constexpr auto isAsciiLetter = IsAsciiLetter;
constexpr auto isIdentifierChar = vl::IsNameChar;

// The comment and string rules of one language.
struct Language {
    std::string_view lineComment;
    std::string_view blockOpen[2];
    std::string_view blockClose[2];
    char quote = 0;
};

Language languageOf(TSyntaxType type) {
    switch (type) {
    case stPascal:
        return {"//", {"{", "(*"}, {"}", "*)"}, '\''};
    case stCpp:
        return {"//", {"/*", {}}, {"*/", {}}, '"'};
    case stSQL:
        return {"--", {"/*", {}}, {"*/", {}}, '"'};
    case stText:
        break;
    }
    return {};
}

bool startsWith(std::string_view line, std::size_t pos, std::string_view text) {
    return !text.empty() && line.substr(pos, text.size()) == text;
}

// Walks the text once, carrying an open block comment across lines.
class Classifier {
public:
    Classifier(const StringList& lines, TSyntaxType type)
        : lines_(lines), type_(type), lang_(languageOf(type)) {}

    StringList run() {
        StringList map;
        map.reserve(lines_.size() + 1);
        for (const std::string& line : lines_)
            map.push_back(classifyLine(line));
        map.emplace_back();
        return map;
    }

private:
    std::string classifyLine(std::string_view line) {
        std::string classes(line.size(), scText);
        std::size_t pos = 0;
        if (!openClose_.empty()) pos = continueBlock(line, 0, classes);
        while (pos < line.size())
            pos = token(line, pos, classes);
        return classes;
    }

    // Marks a block comment from pos up to its closing text, or the whole
    // rest of the line when it does not close here.
    std::size_t continueBlock(std::string_view line, std::size_t pos, std::string& classes) {
        const std::size_t close = line.find(openClose_, pos);
        const std::size_t end =
            close == std::string_view::npos ? line.size() : close + openClose_.size();
        if (close != std::string_view::npos) openClose_ = {};
        mark(classes, pos, end, scComment);
        return end;
    }

    std::size_t token(std::string_view line, std::size_t pos, std::string& classes) {
        const char c = line[pos];
        if (isAsciiLetter(c) || c == '_') return identifier(line, pos, classes);
        if (startsWith(line, pos, lang_.lineComment)) {
            mark(classes, pos, line.size(), scComment);
            return line.size();
        }
        for (int i = 0; i < 2; ++i) {
            if (!startsWith(line, pos, lang_.blockOpen[i])) continue;
            openClose_ = lang_.blockClose[i];
            const std::size_t start = pos + lang_.blockOpen[i].size();
            mark(classes, pos, start, scComment);
            return continueBlock(line, start, classes);
        }
        if (lang_.quote != 0 && c == lang_.quote) {
            const std::size_t close = line.find(lang_.quote, pos + 1);
            const std::size_t end = close == std::string_view::npos ? line.size() : close + 1;
            mark(classes, pos, end, scString);
            return end;
        }
        return pos + 1;
    }

    std::size_t identifier(std::string_view line, std::size_t pos, std::string& classes) {
        std::size_t end = pos;
        while (end < line.size() && isIdentifierChar(line[end]))
            ++end;
        if (TvlSyntaxClassMap::IsKeyword(line.substr(pos, end - pos), type_))
            mark(classes, pos, end, scKeyword);
        return end;
    }

    static void mark(std::string& classes, std::size_t from, std::size_t to, TvlSyntaxClass cls) {
        for (std::size_t i = from; i < to && i < classes.size(); ++i)
            classes[i] = cls;
    }

    const StringList& lines_;
    TSyntaxType type_;
    Language lang_;
    std::string_view openClose_; // the closing text of an open block comment
};

} // namespace

std::string_view TvlSyntaxClassMap::Keywords(TSyntaxType type) {
    switch (type) {
    case stPascal:
        return kPascalKeywords;
    case stCpp:
        return kCppKeywords;
    case stSQL:
        return kSqlKeywords;
    case stText:
        break;
    }
    return {};
}

bool TvlSyntaxClassMap::IsKeyword(std::string_view identifier, TSyntaxType type) {
    const std::string_view list = Keywords(type);
    if (list.empty() || identifier.empty()) return false;
    std::string key = ",";
    for (char c : identifier)
        key += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    key += ',';
    return list.find(key) != std::string_view::npos;
}

StringList TvlSyntaxClassMap::Classify(const StringList& lines, TSyntaxType type) {
    return Classifier(lines, type).run();
}

} // namespace vl
