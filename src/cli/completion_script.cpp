#include "cli/completion_script.h"

#include <sstream>
#include <vector>

namespace quillon::cli {
namespace {

struct ValueOption {
    std::string name;
    const OptionHint* hint;  // nullptr: any value
};

// One command of the tree, as completion sees it.
struct Node {
    std::string path;  // "" for quillonctl itself, "/keymap/read" below
    std::vector<std::string> commands;
    std::vector<std::string> options;  // every long name, flags included
    std::vector<ValueOption> valueOptions;
    std::vector<const OptionHint*> positionals;  // nullptr: any value
};

void collect(CommandSetup& setup, CLI::App& app, const std::string& path,
             std::vector<Node>& nodes) {
    Node node;
    node.path = path;
    for (const CLI::Option* option : app.get_options()) {
        if (option->get_group().empty())
            continue;  // hidden
        if (!option->nonpositional()) {
            node.positionals.push_back(setup.hint(option));
            continue;
        }
        for (const std::string& name : option->get_lnames()) {
            // --help would crowd every list of commands and choices; it is
            // typed, not picked.
            if (name == "help")
                continue;
            node.options.push_back("--" + name);
            if (option->get_expected_max() != 0)  // flags expect no value
                node.valueOptions.push_back({"--" + name, setup.hint(option)});
        }
    }
    std::vector<CLI::App*> children = app.get_subcommands([](CLI::App*) { return true; });
    for (CLI::App* child : children) {
        if (child->get_group().empty())
            continue;  // hidden commands are not offered
        node.commands.push_back(child->get_name());
    }
    nodes.push_back(std::move(node));
    for (CLI::App* child : children)
        if (!child->get_group().empty())
            collect(setup, *child, path + "/" + child->get_name(), nodes);
}

std::string joined(const std::vector<std::string>& words) {
    std::string s;
    for (const std::string& w : words)
        s += (s.empty() ? "" : " ") + w;
    return s;
}

// "pattern" for `case "$cmdpath:$word"`; the root's options fall through to every command.
std::string valuePattern(const Node& node, const ValueOption& option) {
    return node.path.empty() ? "*:" + option.name : "\"" + node.path + "\":" + option.name;
}

struct Emitter {
    Shell shell;
    std::ostringstream s;

    std::string open(const std::string& pattern) const {
        return shell == Shell::zsh ? "(" + pattern + ")" : pattern + ")";
    }
    std::string offer(const std::string& words) const {
        return shell == Shell::zsh ? "cands+=(" + words + ")" : "cands=\"$cands " + words + "\"";
    }
    std::string offerFiles() const {
        return shell == Shell::zsh ? "_files" : "COMPREPLY=($(compgen -f -- \"$cur\"))";
    }
    std::string offerWords(const std::string& words) const {
        return shell == Shell::zsh ? "compadd -- " + words
                                   : "COMPREPLY=($(compgen -W \"" + words + "\" -- \"$cur\"))";
    }
};

void emitBody(Emitter& e, const std::vector<Node>& nodes) {
    auto& s = e.s;
    // Walk the words before the cursor: the command path, the positional count.
    s << "    for ((i = " << (e.shell == Shell::zsh ? 2 : 1) << "; i < "
      << (e.shell == Shell::zsh ? "CURRENT" : "COMP_CWORD") << "; i++)); do\n"
      << "        w=" << (e.shell == Shell::zsh ? "${words[i]}" : "${COMP_WORDS[i]}") << "\n"
      << "        if ((skip)); then skip=0; continue; fi\n"
      << "        case \"$cmdpath:$w\" in\n";
    for (const Node& node : nodes)
        for (const ValueOption& option : node.valueOptions)
            s << "            " << e.open(valuePattern(node, option)) << " skip=1; continue ;;\n";
    s << "        esac\n"
      << "        case \"$cmdpath/$w\" in\n";
    for (const Node& node : nodes)
        for (const std::string& command : node.commands)
            s << "            " << e.open("\"" + node.path + "/" + command + "\"")
              << " cmdpath=\"$cmdpath/$w\"; npos=0; continue ;;\n";
    s << "        esac\n"
      << "        [[ $w == -* ]] || ((npos++))\n"
      << "    done\n";
    // The value of an option.
    s << "    case \"$cmdpath:$prev\" in\n";
    for (const Node& node : nodes) {
        for (const ValueOption& option : node.valueOptions) {
            std::string offer;  // nothing to offer for a free value
            if (option.hint && option.hint->file)
                offer = e.offerFiles() + "; ";
            else if (option.hint && !option.hint->choices.empty())
                offer = e.offerWords(joined(option.hint->choices)) + "; ";
            s << "        " << e.open(valuePattern(node, option)) << " " << offer << "return ;;\n";
        }
    }
    s << "    esac\n";
    // Commands, arguments and options where the cursor is.
    s << "    case \"$cmdpath:$npos\" in\n";
    for (const Node& node : nodes) {
        if (!node.commands.empty())
            s << "        " << e.open("\"" + node.path + ":0\"") << " "
              << e.offer(joined(node.commands)) << " ;;\n";
        for (std::size_t i = 0; i < node.positionals.size(); ++i) {
            const OptionHint* hint = node.positionals[i];
            if (hint && !hint->choices.empty())
                s << "        " << e.open("\"" + node.path + ":" + std::to_string(i) + "\"") << " "
                  << e.offer(joined(hint->choices)) << " ;;\n";
        }
    }
    s << "    esac\n"
      << "    case \"$cmdpath\" in\n";
    for (const Node& node : nodes)
        s << "        " << e.open("\"" + node.path + "\"") << " " << e.offer(joined(node.options))
          << " ;;\n";
    s << "    esac\n";
}

}  // namespace

std::string completionScript(Shell shell, CommandSetup& setup) {
    std::vector<Node> nodes;
    collect(setup, setup.root(), "", nodes);
    Emitter e{shell, {}};
    auto& s = e.s;
    if (shell == Shell::bash) {
        s << "# bash completion for quillonctl (made by: quillonctl completion bash)\n"
          << "_quillonctl() {\n"
          << "    local cur=\"${COMP_WORDS[COMP_CWORD]}\" prev=\"${COMP_WORDS[COMP_CWORD-1]}\"\n"
          << "    local cmdpath=\"\" cands=\"\" w i npos=0 skip=0\n";
        emitBody(e, nodes);
        s << "    COMPREPLY=($(compgen -W \"$cands\" -- \"$cur\"))\n"
          << "}\n"
          << "complete -F _quillonctl quillonctl\n";
    } else {
        s << "#compdef quillonctl\n"
          << "# zsh completion for quillonctl (made by: quillonctl completion zsh)\n"
          << "_quillonctl() {\n"
          << "    local prev=\"${words[CURRENT-1]}\" cmdpath=\"\" w\n"
          << "    local -a cands\n"
          << "    integer i npos=0 skip=0\n";
        emitBody(e, nodes);
        s << "    compadd -- $cands\n"
          << "}\n"
          << "if [[ $zsh_eval_context[-1] == loadautofunc ]]; then\n"
          << "    _quillonctl \"$@\"\n"
          << "else\n"
          << "    compdef _quillonctl quillonctl\n"
          << "fi\n";
    }
    return s.str();
}

}  // namespace quillon::cli
