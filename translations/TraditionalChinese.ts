<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>CommonThread</name>
    <message>
        <source>线程正忙！</source>
        <translation>執行緒正忙！</translation>
    </message>
    <message>
        <source>thread_routine未设置！</source>
        <translation>thread_routine未設定！</translation>
    </message>
</context>
<context>
    <name>DataHub</name>
    <message>
        <source>正在保存或载入数据，请稍后再试！</source>
        <translation>正在儲存或載入資料，請稍後再試！</translation>
    </message>
    <message>
        <source>无数据，您需要先按照协议格式发送数据！</source>
        <translation>無資料，您需要先按照協定格式傳送資料！</translation>
    </message>
    <message>
        <source>数据保存成功！</source>
        <translation>資料儲存成功！</translation>
    </message>
    <message>
        <source>已载入 </source>
        <translation>已載入 </translation>
    </message>
    <message>
        <source> 组数据</source>
        <translation> 組資料</translation>
    </message>
</context>
<context>
    <name>DebugUDP</name>
    <message>
        <source>目标地址无效</source>
        <translation>目標地址無效</translation>
    </message>
</context>
<context>
    <name>DebugWayInterface</name>
    <message>
        <source>无法打开文件</source>
        <translation>無法開啟檔案</translation>
    </message>
    <message>
        <source>文件读取中断</source>
        <translation>檔案讀取中斷</translation>
    </message>
    <message>
        <source>已发送文件</source>
        <translation>已傳送檔案</translation>
    </message>
</context>
<context>
    <name>ShaderProgram</name>
    <message>
        <source>shader文件不存在</source>
        <translation>shader檔案不存在</translation>
    </message>
</context>
<context>
    <name>TextBuffer</name>
    <message>
        <source>Ansi转义码: </source>
        <translation>Ansi轉義碼: </translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>关闭</source>
        <translation>關閉</translation>
    </message>
</context>
</TS>
